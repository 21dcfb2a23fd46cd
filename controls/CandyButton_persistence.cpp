#include "controls/CandyButton.h"

namespace starquill {

void CandyButton::InitProperties() {}
void CandyButton::ReadProperties(const PropertyBag&) {}
void CandyButton::WriteProperties(PropertyBag&) const {}
void CandyButton::AmbientChanged(std::string_view) {}

}  // namespace starquill
