#include "platform/property_bag.h"

namespace starquill {

PropertyBag PropertyBag::Parse(std::string_view) {
  return {};
}
std::string PropertyBag::Text() const {
  return {};
}
bool PropertyBag::ReadProperty(std::string_view, bool d) const {
  return d;
}
int32_t PropertyBag::ReadProperty(std::string_view, int32_t d) const {
  return d;
}
std::string PropertyBag::ReadProperty(std::string_view, const std::string& d) const {
  return d;
}
std::string PropertyBag::ReadProperty(std::string_view, const char* d) const {
  return d;
}
FontSpec PropertyBag::ReadProperty(std::string_view, const FontSpec& d) const {
  return d;
}
PictureRef PropertyBag::ReadProperty(std::string_view, const PictureRef& d) const {
  return d;
}
void PropertyBag::WriteProperty(std::string_view, bool) {}
void PropertyBag::WriteProperty(std::string_view, int32_t) {}
void PropertyBag::WriteProperty(std::string_view, const std::string&) {}
void PropertyBag::WriteProperty(std::string_view, const FontSpec&) {}
void PropertyBag::WriteProperty(std::string_view, const PictureRef&) {}
bool PropertyBag::Contains(std::string_view) const {
  return false;
}
std::vector<std::string> PropertyBag::Names() const {
  return {};
}
void PropertyBag::Store(std::string_view, std::string) {}
void PropertyBag::Remove(std::string_view) {}
const std::string* PropertyBag::Find(std::string_view) const {
  return nullptr;
}
void RegisterPicture(const std::string&, PictureRef) {}
PictureRef FindPicture(std::string_view) {
  return nullptr;
}

}  // namespace starquill
