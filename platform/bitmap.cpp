#include "platform/bitmap.h"

#include <algorithm>
#include <cmath>

namespace starquill {

int HimetricToPixels(int himetric) {
  return static_cast<int>(std::lround(static_cast<double>(himetric) * 96.0 / 2540.0));
}

int PixelsToHimetric(int pixels) {
  return static_cast<int>(std::lround(static_cast<double>(pixels) * 2540.0 / 96.0));
}

int Bitmap::HimetricWidth() const {
  return himetric_width > 0 ? himetric_width : PixelsToHimetric(width);
}

int Bitmap::HimetricHeight() const {
  return himetric_height > 0 ? himetric_height : PixelsToHimetric(height);
}

void RenderPicture(const Bitmap& picture, const PixelView& target, int x, int y, int cx, int cy) {
  if (!picture.Valid() || picture.width == 0 || picture.height == 0 || cx <= 0 || cy <= 0) return;
  const int x0 = std::max(x, 0);
  const int y0 = std::max(y, 0);
  const int x1 = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(x) + cx, target.width));
  const int y1 = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(y) + cy, target.height));
  for (int ty = y0; ty < y1; ++ty) {
    // Nearest source pixel: the centre of the target pixel mapped back.
    const int sy = static_cast<int>((static_cast<int64_t>(ty - y) * picture.height) / cy);
    uint32_t* row = target.Row(ty);
    const uint32_t* source = picture.pixels.data() + static_cast<size_t>(sy) * picture.width;
    for (int tx = x0; tx < x1; ++tx) {
      const int sx = static_cast<int>((static_cast<int64_t>(tx - x) * picture.width) / cx);
      const uint32_t p = source[sx];
      const uint32_t alpha = p >> 24;
      if (alpha == 0) continue;
      if (alpha == 255) {
        row[tx] = kOpaque | (p & kColorMask);
        continue;
      }
      const uint32_t under = row[tx];
      uint32_t blended = kOpaque;
      for (int shift = 0; shift <= 16; shift += 8) {
        const int fg = static_cast<int>((p >> shift) & 0xFF);
        const int bg = static_cast<int>((under >> shift) & 0xFF);
        const int c = bg + ((fg - bg) * static_cast<int>(alpha) + (fg >= bg ? 127 : -127)) / 255;
        blended |= static_cast<uint32_t>(c) << shift;
      }
      row[tx] = blended;
    }
  }
}

}  // namespace starquill
