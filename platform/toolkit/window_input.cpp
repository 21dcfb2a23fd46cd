#include "platform/toolkit/window_input.h"

#include "platform/drawing/surface.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/window.h"

namespace starquill {
namespace {

MouseKeys ForControls(MouseKeys keys) {
  return {keys.buttons, keys.shift & ~kAltKey};
}

}  // namespace

void WindowInput::PointerMoved(int x, int y, MouseKeys keys) {
  controls_.PointerMoved(x, y, ForControls(keys));
}

void WindowInput::ButtonPressed(int x, int y, int button, MouseKeys keys, bool doubleClick) {
  if (controls_.ButtonPressed(x, y, button, ForControls(keys), doubleClick)) return;
  if (!doubleClick && button == kLeftButton) {
    for (auto it = labels_.rbegin(); it != labels_.rend(); ++it) {
      Label& label = **it;
      if (label.Visible && label.Contains(x, y)) {
        if (label.Click) label.Click();
        return;
      }
    }
  }
  if (!window_.MouseDown) return;
  for (auto it = surfaces_.rbegin(); it != surfaces_.rend(); ++it) {
    Surface& surface = **it;
    const double sx = x - surface.Left();
    const double sy = y - surface.Top();
    if (sx >= 0 && sy >= 0 && sx < surface.PixelWidth() && sy < surface.PixelHeight()) {
      window_.MouseDown(surface, button, keys.shift, surface.ScaleX(sx), surface.ScaleY(sy));
      return;
    }
  }
}

void WindowInput::ButtonReleased(int x, int y, int button, MouseKeys keys) {
  controls_.ButtonReleased(x, y, button, ForControls(keys));
}

void WindowInput::KeyPressed(int keyCode, int shift, std::optional<int> typed) {
  if (keyCode != 0 && !Controls().empty()) controls_.KeyPressed(keyCode, shift);
  if (typed && window_.KeyPress) window_.KeyPress(*typed);
}

void WindowInput::KeyReleased(int keyCode, int shift) {
  if (keyCode != 0 && !Controls().empty()) controls_.KeyReleased(keyCode, shift);
}

void WindowInput::FocusFirstControl() {
  if (!Controls().empty() && controls_.Focused() == nullptr) controls_.SetFocus(Controls().front());
}

}  // namespace starquill
