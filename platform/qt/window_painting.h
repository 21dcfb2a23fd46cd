#pragma once
// Painting a window's parts, each in device pixels of the window (the painter undoes the pixel
// ratio): its frame, its surfaces copied 1:1, its labels and its controls cut to their shapes.

#include <QPainter>
#include <QRegion>
#include <map>
#include <vector>

#include "platform/qt/window_geometry.h"

namespace starquill {

class ControlWindow;
class Label;
class Surface;

// A thin raised edge on the left and top sides, beside the client area, in the desktop's
// colours.
void PaintFrame(QPainter& painter, const WindowGeometry& geometry);

// Where a surface's top-left pixel lies, in device pixels of the window.
QPoint SurfaceOrigin(const WindowGeometry& geometry, const Surface& surface);

// The parts of `asked` (logical pixels) that surfaces cover, each a plain copy of the surface's
// store, later surfaces over earlier ones; black where no surface lies.
void PaintSurfaces(QPainter& painter, const WindowGeometry& geometry,
                   const std::vector<Surface*>& surfaces, const QRegion& asked);

// The caption in the label's font at the window's scale, without a background.
void PaintLabel(QPainter& painter, const WindowGeometry& geometry, const Label& label);

// Controls' shapes in device pixels of the window, each built once and kept until its control
// changes or the window is laid out anew.
class ControlShapes {
 public:
  const QRegion& Of(const WindowGeometry& geometry, const ControlWindow& control);
  void Forget(const ControlWindow& control) { shapes_.erase(&control); }
  void Clear() { shapes_.clear(); }

 private:
  std::map<const ControlWindow*, QRegion> shapes_;
};

// A visible control shows its background picture, cut to its shape.
void PaintControl(QPainter& painter, const WindowGeometry& geometry, const ControlWindow& control,
                  ControlShapes& shapes);

}  // namespace starquill
