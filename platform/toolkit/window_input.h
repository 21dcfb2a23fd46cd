#pragma once
// What a window's client area holds, bottom to top: drawing surfaces, labels and control
// windows; and where the user's input goes among them. A press goes to a control window under
// the pointer (or to the one that holds the mouse captured), else, for a single left click, to
// the topmost visible label under it, else to the topmost surface under it as the window's
// MouseDown. Moves, releases and keys go to the control windows (ControlInput); a typed
// character goes to the window's KeyPress whichever part has the focus, and a key goes there
// directly when the window has no control windows. Positions are client pixels.

#include <optional>
#include <vector>

#include "platform/hosting/control_input.h"
#include "platform/hosting/control_window.h"
#include "platform/hosting/input_codes.h"

namespace starquill {

class Label;
class Surface;
class Window;

class WindowInput {
 public:
  // `window` gets the presses and characters no control window takes; it must outlive this.
  explicit WindowInput(Window& window) : window_(window) {}

  // Later parts lie over earlier ones of their kind. Each must outlive this.
  void AddSurface(Surface& surface) { surfaces_.push_back(&surface); }
  void AddLabel(Label& label) { labels_.push_back(&label); }
  void AddControl(ControlWindow& control) { controls_.AddControl(control); }
  const std::vector<Surface*>& Surfaces() const { return surfaces_; }
  const std::vector<Label*>& Labels() const { return labels_; }
  const std::vector<ControlWindow*>& Controls() const { return controls_.Controls(); }

  // keys: the buttons held after the event and the modifier keys, 1 Shift, 2 Ctrl, 4 Alt. Alt
  // with the mouse belongs to the window manager: control windows are not told it.
  void PointerMoved(int x, int y, MouseKeys keys);
  // button: kLeftButton, kRightButton or kMiddleButton.
  void ButtonPressed(int x, int y, int button, MouseKeys keys, bool doubleClick);
  void ButtonReleased(int x, int y, int button, MouseKeys keys);
  // The pointer left the window.
  void PointerLeft() { controls_.PointerLeft(); }

  // A key went down: its code for the control windows (0 for a key none of them cares about),
  // its modifier keys, and the character it typed, if any.
  void KeyPressed(int keyCode, int shift, std::optional<int> typed);
  void KeyReleased(int keyCode, int shift);

  // The topmost visible control window holding the client pixel, or nullptr.
  ControlWindow* ControlAt(int x, int y) const { return controls_.ControlAt(x, y); }
  // The first control window takes the keyboard focus, unless one has it.
  void FocusFirstControl();

 private:
  Window& window_;
  std::vector<Surface*> surfaces_;
  std::vector<Label*> labels_;
  ControlInput controls_;
};

}  // namespace starquill
