#pragma once
// A fingerprint of a surface's pixels, to tell two drawings apart or alike.

#include <cstdint>

#include "platform/drawing/surface.h"

namespace starquill::testing {

inline uint64_t PixelHash(const Surface& s) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (int y = 0; y < s.PixelHeight(); ++y) {
    for (int x = 0; x < s.PixelWidth(); ++x) {
      hash = (hash ^ static_cast<uint32_t>(s.Pixel(x, y))) * 1099511628211ull;
    }
  }
  return hash;
}

}  // namespace starquill::testing
