#pragma once
// Pictures as Qt images.

#include <QImage>
#include <QRect>
#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/surface.h"

namespace starquill {

// The picture with its opacity (an empty image for an inconsistent picture).
QImage ToQImage(const Bitmap& picture);

// The surface's store as an image of the window's own format, without copying: valid while the
// surface keeps its store. Drawing it into a window is a plain copy.
inline QImage SurfaceImage(const Surface& surface) {
  return QImage(reinterpret_cast<const uchar*>(surface.Bits()), surface.DeviceWidth(),
                surface.DeviceHeight(), surface.DeviceWidth() * 4, QImage::Format_RGB32);
}

// The parts of the surface's store to copy to the screen for what changed since it was last
// shown (Surface::TakeChanges), in its device pixels: the changed tiles, or the whole store when
// they cover much of it, where one copy is cheaper than many small ones.
std::vector<QRect> PartsToShow(Surface& surface);

}  // namespace starquill
