#include "controls/CandyButton.h"

namespace starquill {

void CandyButton::DrawIconWCaption(int32_t) {}

}  // namespace starquill
