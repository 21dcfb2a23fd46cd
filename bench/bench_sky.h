#pragma once
// The sky the benchmarks draw on: 1920 x 1080 pixels, 200 units high, y growing upwards.

#include "platform/drawing/surface.h"

namespace starquill {

inline constexpr int kSkyWidth = 1920;
inline constexpr int kSkyHeight = 1080;

inline Surface MakeSky() {
  Surface sky(kSkyWidth, kSkyHeight);
  sky.SetBackColor(0);
  sky.SetScaleTop(200);
  sky.SetScaleHeight(-200);
  sky.SetScaleLeft(0);
  sky.SetScaleWidth(200.0f / kSkyHeight * kSkyWidth);
  return sky;
}

}  // namespace starquill
