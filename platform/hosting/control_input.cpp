#include "platform/hosting/control_input.h"

#include <algorithm>

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
    if (c->Visible() && IsWindow(c->hWnd()) && c->HitTest(x - c->Left(), y - c->Top())) return c;
  }
  return nullptr;
}

void ControlInput::SendMouse(ControlWindow& control, UINT message, int x, int y, WPARAM keys) {
  SendMessageA(control.hWnd(), message, keys,
               MakeMouseLParam(x - control.Left(), y - control.Top()));
}

void ControlInput::SendLeaves(int x, int y, bool pointerInForm) {
  if (captured_ != nullptr) return;  // a leave waits until the capture ends
  for (ControlWindow* c : std::vector<ControlWindow*>(controls_)) {
    if (!c->TrackingLeave()) continue;
    if (pointerInForm && c->Visible() && c->HitTest(x - c->Left(), y - c->Top())) continue;
    c->SetTrackingLeave(false);
    SendMessageA(c->hWnd(), WM_MOUSELEAVE, 0, 0);
  }
}

void ControlInput::PointerMoved(int x, int y, WPARAM keys) {
  if (captured_ != nullptr && !IsWindow(captured_->hWnd())) captured_ = nullptr;
  ControlWindow* target = captured_ != nullptr ? captured_ : ControlAt(x, y);
  SendLeaves(x, y, true);
  if (target != nullptr) SendMouse(*target, WM_MOUSEMOVE, x, y, keys);
}

bool ControlInput::ButtonPressed(int x, int y, WPARAM button, WPARAM keys, bool doubleClick) {
  ControlWindow* target = captured_ != nullptr ? captured_ : ControlAt(x, y);
  if (target == nullptr) return false;
  if (focused_ != target) SetFocus(target);
  captured_ = target;
  UINT message = WM_LBUTTONDOWN;
  if (button == MK_RBUTTON) message = doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
  if (button == MK_MBUTTON) message = doubleClick ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
  if (button == MK_LBUTTON) message = doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
  SendMouse(*target, message, x, y, keys);
  return true;
}

void ControlInput::ButtonReleased(int x, int y, WPARAM button, WPARAM keys) {
  if (captured_ != nullptr && !IsWindow(captured_->hWnd())) captured_ = nullptr;
  ControlWindow* target = captured_;
  if ((keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) captured_ = nullptr;
  if (target != nullptr) {
    UINT message = WM_LBUTTONUP;
    if (button == MK_RBUTTON) message = WM_RBUTTONUP;
    if (button == MK_MBUTTON) message = WM_MBUTTONUP;
    SendMouse(*target, message, x, y, keys);
  }
  SendLeaves(x, y, true);
}

void ControlInput::PointerLeft() {
  if (captured_ == nullptr) SendLeaves(0, 0, false);
}

bool ControlInput::KeyPressed(int keyCode, int shift) {
  if (focused_ == nullptr || !IsWindow(focused_->hWnd())) return false;
  SendMessageA(focused_->hWnd(), WM_KEYDOWN, keyCode, shift);
  return true;
}

bool ControlInput::KeyReleased(int keyCode, int shift) {
  if (focused_ == nullptr || !IsWindow(focused_->hWnd())) return false;
  SendMessageA(focused_->hWnd(), WM_KEYUP, keyCode, shift);
  return true;
}

void ControlInput::SetFocus(ControlWindow* control) {
  if (control == focused_) return;
  ControlWindow* previous = focused_;
  focused_ = control;
  if (previous != nullptr && IsWindow(previous->hWnd())) {
    SendMessageA(previous->hWnd(), WM_KILLFOCUS, 0, 0);
  }
  if (control != nullptr) SendMessageA(control->hWnd(), WM_SETFOCUS, 0, 0);
}

}  // namespace starquill
