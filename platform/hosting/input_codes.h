#pragma once
// The codes the user's pointer input carries, as forms and controls receive it: the mouse
// buttons, the modifier keys, and both held together.

namespace starquill {

// Mouse buttons as event arguments report them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
// Modifier keys held during a mouse event.
enum ShiftState : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// The mouse buttons held and the modifier keys, in the codes a control's events report:
// buttons 1 left, 2 right, 4 middle (MouseButton); shift 1 Shift, 2 Ctrl (ShiftState).
struct MouseKeys {
  int buttons = 0;
  int shift = 0;
};

}  // namespace starquill
