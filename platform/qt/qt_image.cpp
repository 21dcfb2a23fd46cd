#include "platform/qt/qt_image.h"

namespace starquill {

QImage ToQImage(const Bitmap& picture) {
  if (!picture.Valid()) return {};
  QImage image(picture.width, picture.height, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t p = picture.pixels[static_cast<size_t>(y) * picture.width + x];
      image.setPixel(x, y,
                     qRgba(static_cast<int>(p & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                           static_cast<int>((p >> 16) & 0xFF), static_cast<int>(p >> 24)));
    }
  }
  return image;
}

}  // namespace starquill
