#include "controls/CandyButton.h"
#include "controls/round_shape.h"

namespace starquill {

void XorRectIntoRegion(Region& Rgn, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  Rgn.Xor(Region::Rectangle(Left, Top, Right, Bottom));
}

// Starts from the full rectangle and cuts each row's outside run away. Only the left half (plus
// the middle column) is tested; the right side is the mirror image. A row's run is cut when the
// next row's first outside pixel (column 0) is met, so the last row Hp only closes row Hp - 1.
void CandyButton::SetRoundRegion(int32_t Wp, int32_t Hp, int32_t R) {
  CornerRadius = R;
  Region region = Region::Rectangle(0, 0, Wp, Hp);
  int32_t LastX = 0;
  int32_t LastY = 0;
  // 64-bit counters: the loops run to their bounds inclusive, and Hp may be INT32_MAX.
  for (int64_t y = 0; y <= Hp; ++y) {
    for (int64_t x = 0; x <= Wp / 2; ++x) {
      const int32_t px = static_cast<int32_t>(x);
      const int32_t py = static_cast<int32_t>(y);
      if (IsInsideRoundRect(px, py, 0, 0, Wp, Hp, R)) continue;
      if (py != LastY) {
        XorRectIntoRegion(region, Wp - LastX, LastY, Wp - px, py);
        // With 2 * LastX == Wp the left run [0, LastX) already meets the mirrored one.
        if (2 * static_cast<int64_t>(LastX) != Wp) LastX += 1;
        XorRectIntoRegion(region, px, py, LastX, LastY);
      }
      LastX = px;
      LastY = py;
    }
  }
  window_.SetWindowRegion(std::move(region));
}

}  // namespace starquill
