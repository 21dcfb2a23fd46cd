#pragma once
// The rounded shapes of the button's faces and window: which pixels a rounded rectangle holds,
// and the band of a region a rectangle flips.

#include <cstdint>

#include "platform/drawing/region.h"

namespace starquill {

// Whether row Y of a corner circle of radius R reaches column DX (from the circle's centre).
bool IsInsideCorner(int32_t DX, int32_t Y, int32_t R);
// Whether pixel (X, Y) lies inside the rectangle from (X0, Y0), Wd by Ht, with corners of
// radius R; its outline rows and columns do not.
bool IsInsideRoundRect(int32_t X, int32_t Y, int32_t X0, int32_t Y0, int32_t Wd, int32_t Ht,
                       int32_t R);
// Flips the rectangle's pixels in the region (corners in any order).
void XorRectIntoRegion(Region& Rgn, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);

}  // namespace starquill
