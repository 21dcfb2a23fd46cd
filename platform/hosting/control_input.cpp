#include "platform/hosting/control_input.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/hosting/input_codes.h"

namespace starquill {
namespace {

// A form coordinate from a control's edge, held within int: a point far off stays far off.
int FromEdge(int coordinate, int edge) {
  return static_cast<int>(std::clamp<int64_t>(int64_t{coordinate} - edge, INT_MIN, INT_MAX));
}

bool Holds(const ControlWindow& control, int x, int y) {
  return control.HitTest(FromEdge(x, control.Left()), FromEdge(y, control.Top()));
}

// A form pixel as a mouse message to the control gives it: in the control's own pixels.
LPARAM PositionIn(const ControlWindow& control, int x, int y) {
  return MakeMouseLParam(FromEdge(x, control.Left()), FromEdge(y, control.Top()));
}

}  // namespace

void ControlInput::AddControl(ControlWindow& control) {
  controls_.push_back(&control);
}

void ControlInput::RemoveControl(ControlWindow& control) {
  std::erase(controls_, &control);
  if (captured_ == &control) captured_ = nullptr;
  if (focused_ == &control) focused_ = nullptr;
}

ControlWindow* ControlInput::ControlAt(int x, int y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    ControlWindow* c = *it;
    if (c->Visible() && c->Exists() && Holds(*c, x, y)) return c;
  }
  return nullptr;
}

void ControlInput::SendLeaves(int x, int y, bool pointerInForm) {
  if (captured_ != nullptr) return;  // a leave waits until the capture ends
  for (ControlWindow* c : std::vector<ControlWindow*>(controls_)) {
    if (!c->TrackingLeave()) continue;
    if (pointerInForm && c->Visible() && Holds(*c, x, y)) continue;
    c->SetTrackingLeave(false);
    c->SendMessage(WM_MOUSELEAVE, 0, 0);
  }
}

void ControlInput::PointerMoved(int x, int y, MouseKeys keys) {
  if (captured_ != nullptr && !captured_->Exists()) captured_ = nullptr;
  ControlWindow* target = captured_ != nullptr ? captured_ : ControlAt(x, y);
  SendLeaves(x, y, true);
  if (target != nullptr) {
    target->SendMessage(WM_MOUSEMOVE, MouseWParam(keys), PositionIn(*target, x, y));
  }
}

bool ControlInput::ButtonPressed(int x, int y, int button, MouseKeys keys, bool doubleClick) {
  ControlWindow* target = captured_ != nullptr ? captured_ : ControlAt(x, y);
  if (target == nullptr) return false;
  if (focused_ != target) SetFocus(target);
  captured_ = target;
  UINT message = WM_LBUTTONDOWN;
  if (button == kRightButton) message = doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
  if (button == kMiddleButton) message = doubleClick ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
  if (button == kLeftButton) message = doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
  target->SendMessage(message, MouseWParam(keys), PositionIn(*target, x, y));
  return true;
}

void ControlInput::ButtonReleased(int x, int y, int button, MouseKeys keys) {
  if (captured_ != nullptr && !captured_->Exists()) captured_ = nullptr;
  ControlWindow* target = captured_;
  if (keys.buttons == 0) captured_ = nullptr;
  if (target != nullptr) {
    UINT message = WM_LBUTTONUP;
    if (button == kRightButton) message = WM_RBUTTONUP;
    if (button == kMiddleButton) message = WM_MBUTTONUP;
    target->SendMessage(message, MouseWParam(keys), PositionIn(*target, x, y));
  }
  SendLeaves(x, y, true);
}

void ControlInput::PointerLeft() {
  if (captured_ == nullptr) SendLeaves(0, 0, false);
}

bool ControlInput::KeyPressed(int keyCode, int shift) {
  if (focused_ == nullptr || !focused_->Exists()) return false;
  focused_->SendMessage(WM_KEYDOWN, keyCode, shift);
  return true;
}

bool ControlInput::KeyReleased(int keyCode, int shift) {
  if (focused_ == nullptr || !focused_->Exists()) return false;
  focused_->SendMessage(WM_KEYUP, keyCode, shift);
  return true;
}

void ControlInput::SetFocus(ControlWindow* control) {
  if (control == focused_) return;
  ControlWindow* previous = focused_;
  focused_ = control;
  if (previous != nullptr) previous->SendMessage(WM_KILLFOCUS, 0, 0);
  if (control != nullptr) control->SendMessage(WM_SETFOCUS, 0, 0);
}

}  // namespace starquill
