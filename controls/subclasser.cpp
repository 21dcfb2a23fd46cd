#include "controls/subclasser.h"

namespace starquill {

class Subclasser::Impl {};

Subclasser::Subclasser(MessageHandlerOwner&, std::string) {}
Subclasser::~Subclasser() = default;
bool Subclasser::sc_Subclass(HWND, int32_t, int32_t, MessageHandlerOwner*) {
  return false;
}
void Subclasser::sc_UnSubclass(HWND) {}
void Subclasser::sc_StopAll() {}
void Subclasser::sc_HookMsg(HWND, int32_t, int32_t) {}
void Subclasser::sc_UnhookMsg(HWND, int32_t, int32_t) {}
LRESULT Subclasser::sc_CallDefault(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}
int32_t Subclasser::sc_UserValue(HWND) {
  return 0;
}
void Subclasser::sc_UserValue(HWND, int32_t) {}
std::vector<std::string> Subclasser::HookTableKeys() const {
  return {};
}
int Subclasser::LiveRecordCount() {
  return 0;
}
std::optional<Subclasser::Table> Subclasser::MessageTable(HWND, int32_t) const {
  return {};
}
void Subclasser::FailNextAllocation(uint32_t) {}

}  // namespace starquill
