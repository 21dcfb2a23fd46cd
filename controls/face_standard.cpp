#include "controls/CandyButton.h"

namespace starquill {

void CandyButton::DrawFaceStandard(int32_t) {}
void CandyButton::DrawFaceFlat(int32_t) {}

}  // namespace starquill
