#pragma once
// Device scales: how many device pixels of a high-density screen one pixel of a surface or a
// window stands for. Pixel i covers the device pixels [DeviceEdge(i), DeviceEdge(i + 1)), so
// blocks of whole device pixels tile a row without gaps, also at fractional scales.

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace starquill {

// Scales are kept within [1/4, 8]; NaN, infinite and non-positive ones count as 1.
inline constexpr double kMinDeviceScale = 0.25;
inline constexpr double kMaxDeviceScale = 8;

inline double SaneDeviceScale(double scale) {
  if (!std::isfinite(scale) || scale <= 0) return 1;
  return std::clamp(scale, kMinDeviceScale, kMaxDeviceScale);
}

// A scale is a whole number of 1/480 steps, which holds the ratios screens use (quarters,
// thirds, steps of 1/96 and 1/120) exactly, so that every edge is computed in integers.
inline constexpr int kScaleSteps = 480;

inline int ScaleSteps(double scale) {
  return static_cast<int>(std::lround(SaneDeviceScale(scale) * kScaleSteps));
}

// floor(i * steps / kScaleSteps); i is held where the product cannot overflow.
inline int64_t DeviceEdge(int64_t i, int steps) {
  constexpr int64_t kFar = int64_t{1} << 40;
  const int64_t n = std::clamp(i, -kFar, kFar) * steps;
  return n >= 0 ? n / kScaleSteps : -((kScaleSteps - 1 - n) / kScaleSteps);
}

// The pixel that covers device pixel d, the last i with DeviceEdge(i) <= d:
// floor(((d + 1) * kScaleSteps - 1) / steps); d is held where the product cannot overflow.
inline int64_t PixelAtDevice(int64_t d, int steps) {
  constexpr int64_t kFar = int64_t{1} << 40;
  const int64_t n = (std::clamp(d, -kFar, kFar) + 1) * kScaleSteps - 1;
  return n >= 0 ? n / steps : -((steps - 1 - n) / steps);
}

}  // namespace starquill
