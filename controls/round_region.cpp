#include "controls/CandyButton.h"

namespace starquill {

void CandyButton::XorRectIntoRegion(HRGN, int32_t, int32_t, int32_t, int32_t) {}
void CandyButton::SetRoundRegion(int32_t, int32_t, int32_t R) { CornerRadius = R; }

}  // namespace starquill
