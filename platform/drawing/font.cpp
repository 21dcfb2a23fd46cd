#include "platform/drawing/font.h"

#include <cmath>

namespace starquill {

int PixelSizeForPoints(double points) {
  if (!(points > 0)) return 1;  // also catches NaN
  const double pixels = std::nearbyint(points * 96.0 / 72.0);
  if (!(pixels < kMaxPixelSize)) return kMaxPixelSize;  // also catches infinity
  return pixels < 1 ? 1 : static_cast<int>(pixels);
}

}  // namespace starquill
