#include "platform/qt/window_geometry.h"

#include <QRectF>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace starquill {
namespace {

// Coordinates are held where the sum of two of them cannot overflow.
constexpr int kNearest = INT_MIN / 2;
constexpr int kFarthest = INT_MAX / 2;

int Near(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, kNearest, kFarthest));
}

int NearFloor(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp<double>(std::floor(v), kNearest, kFarthest));
}

}  // namespace

QSize WindowGeometry::ClientSize() const {
  if (!full_screen && fixed_client.isValid()) return fixed_client;
  const auto pixels = [&](int device) {
    const int64_t n = PixelAtDevice(int64_t{device} - 1, scale_steps) + 1;
    return static_cast<int>(std::max<int64_t>(0, n - frame));
  };
  return {pixels(device.width()), pixels(device.height())};
}

QPoint WindowGeometry::ClientOrigin() const {
  if (full_screen) return {0, 0};
  const QSize client = ClientSize();
  const auto origin = [&](int device, int pixels) {
    return Near(std::max<int64_t>(0, device - DeviceEdge(pixels, scale_steps)));
  };
  return {origin(device.width(), client.width()), origin(device.height(), client.height())};
}

QRect WindowGeometry::DeviceRect(int left, int top, int width, int height) const {
  const QPoint origin = ClientOrigin();
  const int64_t x = DeviceEdge(left, scale_steps), y = DeviceEdge(top, scale_steps);
  return QRect(Near(origin.x() + x), Near(origin.y() + y),
               Near(DeviceEdge(int64_t{left} + width, scale_steps) - x),
               Near(DeviceEdge(int64_t{top} + height, scale_steps) - y));
}

QPoint WindowGeometry::ClientPixel(QPoint device) const {
  const QPoint origin = ClientOrigin();
  const auto pixel = [&](int64_t d) { return Near(PixelAtDevice(d, scale_steps)); };
  return {pixel(int64_t{device.x()} - origin.x()), pixel(int64_t{device.y()} - origin.y())};
}

QPoint WindowGeometry::ClientPixelAt(QPointF logical) const {
  const QPointF device = logical * pixel_ratio;
  return ClientPixel(QPoint(NearFloor(device.x()), NearFloor(device.y())));
}

QRect WindowGeometry::LogicalRect(const QRect& device) const {
  const double r = pixel_ratio;
  return QRectF(device.x() / r, device.y() / r, device.width() / r, device.height() / r)
      .toAlignedRect();
}

QRect WindowGeometry::DeviceRectOf(const QRect& logical) const {
  const double r = pixel_ratio;
  return QRectF(logical.x() * r, logical.y() * r, logical.width() * r, logical.height() * r)
      .toAlignedRect();
}

}  // namespace starquill
