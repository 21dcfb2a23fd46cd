#pragma once
// A writable view of a block of 32-bit pixels, rows of `stride` pixels, top row first.
// Pixels hold colours 0x00BBGGRR with 0xFF in the top byte (opaque for the display).

#include <cstdint>

namespace starquill {

inline constexpr uint32_t kOpaque = 0xFF000000u;
inline constexpr uint32_t kColorMask = 0x00FFFFFFu;

struct PixelView {
  uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // pixels per row

  uint32_t* Row(int y) const { return bits + static_cast<long>(y) * stride; }
  bool Contains(int x, int y) const {
    return static_cast<unsigned>(x) < static_cast<unsigned>(width) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(height);
  }
};

}  // namespace starquill
