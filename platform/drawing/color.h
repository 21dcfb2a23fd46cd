#pragma once
// Colours are 32-bit values laid out 0x00BBGGRR: red in the low byte.

#include <algorithm>
#include <cstdint>

namespace starquill {

using Color = int32_t;

constexpr int RedOf(Color c) {
  return c & 0xFF;
}
constexpr int GreenOf(Color c) {
  return (c >> 8) & 0xFF;
}
constexpr int BlueOf(Color c) {
  return (c >> 16) & 0xFF;
}

// Builds a colour from its channels; a channel above 255 counts as 255 and one below 0 as 0.
constexpr Color RGB(int red, int green, int blue) {
  const auto channel = [](int v) { return std::clamp(v, 0, 255); };
  return channel(red) | (channel(green) << 8) | (channel(blue) << 16);
}

}  // namespace starquill
