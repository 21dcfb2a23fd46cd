#include "platform/hosting/control_input.h"

#include <algorithm>

#include "platform/hosting/input_codes.h"

namespace starquill {

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
    if (c->Visible() && c->Exists() && c->HitTest(x - c->Left(), y - c->Top())) return c;
  }
  return nullptr;
}

void ControlInput::SendMouse(ControlWindow& control, UINT message, int x, int y, MouseKeys keys) {
  control.SendMessage(message, MouseWParam(keys),
                      MakeMouseLParam(x - control.Left(), y - control.Top()));
}

void ControlInput::SendLeaves(int x, int y, bool pointerInForm) {
  if (captured_ != nullptr) return;  // a leave waits until the capture ends
  for (ControlWindow* c : std::vector<ControlWindow*>(controls_)) {
    if (!c->TrackingLeave()) continue;
    if (pointerInForm && c->Visible() && c->HitTest(x - c->Left(), y - c->Top())) continue;
    c->SetTrackingLeave(false);
    c->SendMessage(WM_MOUSELEAVE, 0, 0);
  }
}

void ControlInput::PointerMoved(int x, int y, MouseKeys keys) {
  if (captured_ != nullptr && !captured_->Exists()) captured_ = nullptr;
  ControlWindow* target = captured_ != nullptr ? captured_ : ControlAt(x, y);
  SendLeaves(x, y, true);
  if (target != nullptr) SendMouse(*target, WM_MOUSEMOVE, x, y, keys);
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
  SendMouse(*target, message, x, y, keys);
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
    SendMouse(*target, message, x, y, keys);
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
