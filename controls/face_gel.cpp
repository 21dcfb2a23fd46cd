#include "controls/CandyButton.h"

namespace starquill {

void CandyButton::DrawFaceGel(int32_t) {}
void CandyButton::PaintGel(int32_t, int32_t, int32_t, int32_t, int32_t, const GelParams&) {}
void CandyButton::DrawFaceSolid(int32_t) {}
void CandyButton::PaintSolid(int32_t, int32_t, int32_t, int32_t, int32_t) {}

}  // namespace starquill
