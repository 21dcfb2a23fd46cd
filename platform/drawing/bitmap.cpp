#include "platform/drawing/bitmap.h"

#include "platform/drawing/device_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace starquill {

namespace {

int PixelsToHimetric(double pixels) {
  return static_cast<int>(std::lround(pixels * 2540.0 / 96.0));
}

// The picture pixel that target offset `offset` (0 <= offset < extent) shows, when `size`
// picture pixels are stretched over `extent` target pixels. The product can pass 64 bits only
// for absurd extents, which take the wide path.
int64_t SourceIndex(int64_t offset, int size, int64_t extent) {
  if (offset <= INT32_MAX) return offset * size / extent;
  return static_cast<int64_t>(static_cast<__int128>(offset) * size / extent);
}

}  // namespace

int HimetricToPixels(int himetric) {
  return static_cast<int>(std::lround(static_cast<double>(himetric) * 96.0 / 2540.0));
}

int PixelsToHimetric(int pixels) {
  return PixelsToHimetric(static_cast<double>(pixels));
}

int Bitmap::HimetricWidth() const {
  return himetric_width > 0 ? himetric_width : PixelsToHimetric(width / SaneDeviceScale(scale));
}

int Bitmap::HimetricHeight() const {
  return himetric_height > 0 ? himetric_height : PixelsToHimetric(height / SaneDeviceScale(scale));
}

void RenderPicture(const Bitmap& picture, const PixelView& target, int64_t x, int64_t y, int64_t cx,
                   int64_t cy) {
  if (!picture.Valid() || picture.width == 0 || picture.height == 0 || cx <= 0 || cy <= 0) return;
  // Held far enough from the int64 range that the sums below cannot overflow.
  constexpr int64_t kLimit = int64_t{1} << 60;
  x = std::clamp(x, -kLimit, kLimit);
  y = std::clamp(y, -kLimit, kLimit);
  cx = std::min(cx, kLimit);
  cy = std::min(cy, kLimit);
  const int64_t width = std::max(target.width, 0), height = std::max(target.height, 0);
  const int x0 = static_cast<int>(std::clamp<int64_t>(x, 0, width));
  const int y0 = static_cast<int>(std::clamp<int64_t>(y, 0, height));
  const int x1 = static_cast<int>(std::clamp<int64_t>(x + cx, 0, width));
  const int y1 = static_cast<int>(std::clamp<int64_t>(y + cy, 0, height));
  if (x0 >= x1) return;
  // The source pixel under each target pixel's top-left edge, mapped back and rounded down:
  // the columns once, the row per row.
  std::vector<int> columns(static_cast<size_t>(x1 - x0));
  for (int tx = x0; tx < x1; ++tx)
    columns[static_cast<size_t>(tx - x0)] =
        static_cast<int>(SourceIndex(tx - x, picture.width, cx));
  for (int ty = y0; ty < y1; ++ty) {
    const int64_t sy = SourceIndex(ty - y, picture.height, cy);
    uint32_t* row = target.Row(ty);
    const uint32_t* source = picture.pixels.data() + static_cast<size_t>(sy) * picture.width;
    for (int tx = x0; tx < x1; ++tx) {
      const uint32_t p = source[columns[static_cast<size_t>(tx - x0)]];
      const uint32_t alpha = p >> 24;
      if (alpha == 0) continue;
      const uint32_t over = StoredPixel(static_cast<Color>(p & kColorMask));
      row[tx] = alpha == 255 ? over : BlendStored(row[tx], over, static_cast<int>(alpha));
    }
  }
}

}  // namespace starquill
