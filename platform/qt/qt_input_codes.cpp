#include "platform/qt/qt_input_codes.h"

namespace starquill {

int ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return 0;
  }
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? kShiftKey : 0) |
         (modifiers & Qt::ControlModifier ? kCtrlKey : 0) |
         (modifiers & Qt::AltModifier ? kAltKey : 0);
}

MouseKeys KeysOf(const QMouseEvent& event) {
  const Qt::MouseButtons buttons = event.buttons();
  return {(buttons & Qt::LeftButton ? kLeftButton : 0) |
              (buttons & Qt::RightButton ? kRightButton : 0) |
              (buttons & Qt::MiddleButton ? kMiddleButton : 0),
          ShiftCode(event.modifiers())};
}

int VirtualKey(const QKeyEvent& event) {
  const int key = event.key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Backspace:
      return 8;
    default:
      return 0;
  }
}

}  // namespace starquill
