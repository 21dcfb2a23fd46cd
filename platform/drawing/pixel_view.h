#pragma once
// A writable view of a block of 32-bit pixels, rows of `stride` pixels, top row first.
// Pixels are stored as the screen stores them, 0xFFRRGGBB (opaque, red in the third byte), so
// that a window shows them without converting; colours (0x00BBGGRR) are converted once, when a
// pixel is written or read back.

#include <algorithm>
#include <cstdint>

#include "platform/drawing/color.h"

namespace starquill {

inline constexpr uint32_t kOpaque = 0xFF000000u;
inline constexpr uint32_t kColorMask = 0x00FFFFFFu;

// A colour as a stored pixel, and back.
constexpr uint32_t StoredPixel(Color color) {
  const auto c = static_cast<uint32_t>(color);
  return kOpaque | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Color ColorOfStored(uint32_t pixel) {
  return static_cast<Color>(((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16));
}

// A stored pixel covered by another (a stored pixel too) to `coverage` 0..255: each channel
// moves towards the cover by coverage / 255 of the way, rounded to nearest.
constexpr uint32_t BlendStored(uint32_t under, uint32_t over, int coverage) {
  uint32_t out = kOpaque;
  for (const int shift : {0, 8, 16}) {
    const int u = static_cast<int>((under >> shift) & 0xFFu);
    const int d = (static_cast<int>((over >> shift) & 0xFFu) - u) * coverage;
    const int moved = d >= 0 ? (d + 127) / 255 : -((-d + 127) / 255);
    out |= static_cast<uint32_t>(u + moved) << shift;
  }
  return out;
}

// The lighter of two stored pixels in each channel.
constexpr uint32_t Lighter(uint32_t a, uint32_t b) {
  uint32_t out = kOpaque;
  for (const int shift : {0, 8, 16})
    out |= std::max((a >> shift) & 0xFFu, (b >> shift) & 0xFFu) << shift;
  return out;
}

struct PixelView {
  uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // pixels per row

  uint32_t* Row(int y) const { return bits + static_cast<long>(y) * stride; }
};

}  // namespace starquill
