#pragma once
// Where a window's pixels lie among its device pixels. A pixel is a block of device pixels,
// scale_steps / kScaleSteps of them across (see device_scale.h); the client area lies right of
// and below a frame, and Qt measures the window in logical pixels, pixel_ratio device pixels
// each. A plain value: the window takes one of its current state whenever it asks.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include "platform/drawing/device_scale.h"

namespace starquill {

struct WindowGeometry {
  QSize device;                   // the window's size in device pixels
  int frame = 0;                  // pixels of frame on the left and top
  QSize fixed_client;             // a centred window's client area in pixels; invalid for none
  bool full_screen = false;       // the client area fills the window, frame or not
  int scale_steps = kScaleSteps;  // device pixels per pixel, in steps
  double pixel_ratio = 1;         // device pixels per logical pixel

  // The client area in pixels: a centred window's own size; else the window's device pixels
  // in whole pixels (the last ones cut by the window's edge), less the frame.
  QSize ClientSize() const;
  // The device pixel where the client area starts. A centred window's client area ends at the
  // window's right and bottom edges, whatever rounding gave the window its device size; its
  // frame takes what is left.
  QPoint ClientOrigin() const;
  // A rectangle of the client area, in pixels, as device pixels of the window.
  QRect DeviceRect(int left, int top, int width, int height) const;
  // The client pixel that holds a device pixel of the window.
  QPoint ClientPixel(QPoint device) const;
  // The client pixel under a point in logical pixels, such as a mouse position.
  QPoint ClientPixelAt(QPointF logical) const;
  // Device pixels of the window in logical pixels, rounded out to whole ones.
  QRect LogicalRect(const QRect& device) const;
  // Logical pixels of the window in device pixels, rounded out to whole ones.
  QRect DeviceRectOf(const QRect& logical) const;
};

}  // namespace starquill
