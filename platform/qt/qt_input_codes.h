#pragma once
// Qt's mouse buttons, modifier keys and keys in the codes forms and controls receive.

#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/hosting/input_codes.h"

namespace starquill {

// kLeftButton, kRightButton or kMiddleButton; 0 for any other button.
int ButtonCode(Qt::MouseButton button);

// The modifier keys: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftCode(Qt::KeyboardModifiers modifiers);

// The buttons held after a mouse event and its modifier keys.
MouseKeys KeysOf(const QMouseEvent& event);

// The key code of a key message: letters and digits as their upper-case characters, and the
// few named keys a control may care about; 0 for the rest.
int VirtualKey(const QKeyEvent& event);

}  // namespace starquill
