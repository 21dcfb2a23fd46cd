#include "platform/qt/window_painting.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <algorithm>
#include <cmath>

#include "platform/drawing/device_scale.h"
#include "platform/drawing/font.h"
#include "platform/drawing/surface.h"
#include "platform/hosting/control_window.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_system_colors.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/system_colors.h"

namespace starquill {
namespace {

QColor ToQColor(Color c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QRegion BuildShape(const WindowGeometry& geometry, const ControlWindow& control) {
  const auto rect = [&](int x, int y, int width, int height) {
    return geometry.DeviceRect(control.Left() + x, control.Top() + y, width, height);
  };
  if (!control.WindowRegion()) return rect(0, 0, control.Width(), control.Height());
  const Region& region = *control.WindowRegion();
  QRegion shape;
  for (int y = 0; y < control.Height(); ++y) {
    int run = -1;
    for (int x = 0; x <= control.Width(); ++x) {
      const bool in = x < control.Width() && region.Contains(x, y);
      if (in && run < 0) run = x;
      if (!in && run >= 0) {
        shape += rect(run, y, x - run, 1);
        run = -1;
      }
    }
  }
  return shape;
}

}  // namespace

void PaintFrame(QPainter& painter, const WindowGeometry& geometry) {
  const QSize device = geometry.device;
  const QPoint origin = geometry.ClientOrigin();
  const QColor light = ToQColor(DesktopSystemColor(kColor3DLight));
  const QColor highlight = ToQColor(DesktopSystemColor(kColorButtonHighlight));
  const QPoint half = origin / 2;
  painter.fillRect(QRect(0, 0, device.width(), origin.y()), light);
  painter.fillRect(QRect(0, 0, origin.x(), device.height()), light);
  painter.fillRect(QRect(half.x(), half.y(), device.width(), origin.y() - half.y()), highlight);
  painter.fillRect(QRect(half.x(), half.y(), origin.x() - half.x(), device.height()), highlight);
}

QPoint SurfaceOrigin(const WindowGeometry& geometry, const Surface& surface) {
  return geometry
      .DeviceRect(static_cast<int>(std::lround(surface.Left())),
                  static_cast<int>(std::lround(surface.Top())), 0, 0)
      .topLeft();
}

void PaintSurfaces(QPainter& painter, const WindowGeometry& geometry,
                   const std::vector<Surface*>& surfaces, const QRegion& asked) {
  const QRect client(geometry.ClientOrigin(), geometry.device);
  QRegion uncovered(client);
  std::vector<QRect> parts;
  for (const QRect& rect : asked)
    parts.push_back(geometry.DeviceRectOf(rect).intersected(client));
  for (const Surface* surface : surfaces) {
    const QImage image = SurfaceImage(*surface);
    const QPoint at = SurfaceOrigin(geometry, *surface);
    const QRect shown(at, image.size());
    for (const QRect& rect : parts) {
      const QRect part = rect.intersected(shown);
      if (!part.isEmpty()) painter.drawImage(part.topLeft(), image, part.translated(-at));
    }
    uncovered -= shown;
  }
  for (const QRect& rect : uncovered)
    painter.fillRect(rect, Qt::black);
}

void PaintLabel(QPainter& painter, const WindowGeometry& geometry, const Label& label) {
  if (!label.Visible || label.Caption().empty()) return;
  const double scale = static_cast<double>(geometry.scale_steps) / kScaleSteps;
  QFont font(QString::fromStdString(label.Font.name));
  font.setPixelSize(
      std::max(1, static_cast<int>(std::lround(PixelSizeForPoints(label.Font.size) * scale))));
  font.setBold(label.Font.bold);
  font.setItalic(label.Font.italic);
  painter.setFont(font);
  painter.setPen(ToQColor(label.ForeColor));
  const QRect box = geometry.DeviceRect(label.Left(), label.Top(), label.Width(), label.Height());
  const int align = label.TextAlignment == Label::kCenter  ? Qt::AlignHCenter
                    : label.TextAlignment == Label::kRight ? Qt::AlignRight
                                                           : Qt::AlignLeft;
  painter.save();
  painter.setClipRect(box);
  painter.drawText(box, align | Qt::AlignTop | Qt::TextSingleLine,
                   QString::fromStdString(label.Caption()));
  painter.restore();
}

const QRegion& ControlShapes::Of(const WindowGeometry& geometry, const ControlWindow& control) {
  auto [kept, added] = shapes_.try_emplace(&control);
  if (added) kept->second = BuildShape(geometry, control);
  return kept->second;
}

void PaintControl(QPainter& painter, const WindowGeometry& geometry, const ControlWindow& control,
                  ControlShapes& shapes) {
  const PictureRef& picture = control.Picture();
  if (!control.Visible() || !picture || !picture->Valid() || picture->width == 0) return;
  const QImage image(reinterpret_cast<const uchar*>(picture->pixels.data()), picture->width,
                     picture->height, picture->width * 4, QImage::Format_RGBA8888);
  const double shown = SaneDeviceScale(picture->scale);
  const QRect target = geometry.DeviceRect(control.Left(), control.Top(), picture->width / shown,
                                           picture->height / shown);
  painter.save();
  painter.setClipRegion(shapes.Of(geometry, control));
  if (target.size() == image.size()) {
    painter.drawImage(target.topLeft(), image);
  } else {
    painter.drawImage(target, image);
  }
  painter.restore();
}

}  // namespace starquill
