#pragma once
// Routes a form's pointer and keyboard input to its control windows as window messages, the
// way a window system does: a press goes to the topmost control whose region holds the point
// and captures the mouse until every button is up; moves go to the captured control or to the
// control under the pointer; a control that asked for a leave notification gets WM_MOUSELEAVE
// once the pointer is off it (after any capture ends); keys go to the focused control, and a
// press gives a control the focus. Positions are form pixels; messages carry the control's own.

#include <vector>

#include "platform/hosting/control_window.h"

namespace starquill {

class ControlInput {
 public:
  // Controls added later lie over earlier ones.
  void AddControl(ControlWindow& control);
  void RemoveControl(ControlWindow& control);
  // The controls, bottom to top.
  const std::vector<ControlWindow*>& Controls() const { return controls_; }

  // keys: the buttons and modifier keys held (after the event).
  void PointerMoved(int x, int y, MouseKeys keys);
  // button: kLeftButton, kRightButton or kMiddleButton. Returns whether a control took the press.
  bool ButtonPressed(int x, int y, int button, MouseKeys keys, bool doubleClick);
  void ButtonReleased(int x, int y, int button, MouseKeys keys);
  // The pointer left the form.
  void PointerLeft();

  // A key on the focused control; shift is 1 Shift, 2 Ctrl, 4 Alt. Returns whether a control
  // took it.
  bool KeyPressed(int keyCode, int shift);
  bool KeyReleased(int keyCode, int shift);

  // The control with the keyboard focus, and moving it (WM_KILLFOCUS, then WM_SETFOCUS).
  ControlWindow* Focused() const { return focused_; }
  void SetFocus(ControlWindow* control);

  // The topmost visible control holding the form pixel, or nullptr.
  ControlWindow* ControlAt(int x, int y) const;
  ControlWindow* Captured() const { return captured_; }

 private:
  void SendLeaves(int x, int y, bool pointerInForm);

  std::vector<ControlWindow*> controls_;
  ControlWindow* captured_ = nullptr;
  ControlWindow* focused_ = nullptr;
};

}  // namespace starquill
