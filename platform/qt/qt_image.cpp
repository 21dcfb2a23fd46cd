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

std::vector<QRect> PartsToShow(Surface& surface) {
  const std::vector<Surface::DeviceRect> changes = surface.TakeChanges();
  const int64_t whole = int64_t{surface.DeviceWidth()} * surface.DeviceHeight();
  int64_t area = 0;
  for (const Surface::DeviceRect& r : changes)
    area += int64_t{r.width} * r.height;
  if (area * 3 > whole) return {QRect(0, 0, surface.DeviceWidth(), surface.DeviceHeight())};
  std::vector<QRect> parts;
  parts.reserve(changes.size());
  for (const Surface::DeviceRect& r : changes)
    parts.emplace_back(r.x, r.y, r.width, r.height);
  return parts;
}

}  // namespace starquill
