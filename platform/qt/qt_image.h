#pragma once
// Pictures as Qt images.

#include <QImage>

#include "platform/bitmap.h"

namespace starquill {

// The picture with its opacity (an empty image for an inconsistent picture).
QImage ToQImage(const Bitmap& picture);

}  // namespace starquill
