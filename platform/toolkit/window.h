#pragma once
// A top-level window as the forms use it: a caption, a client area measured in pixels,
// drawing surfaces shown in it, and the user's input delivered as callbacks.

#include <functional>
#include <string_view>

#include "platform/drawing/bitmap.h"
#include "platform/hosting/control_window.h"
#include "platform/hosting/input_codes.h"
#include "platform/toolkit/placement.h"

namespace starquill {

// The character codes of Esc and Return, as KeyPress reports them.
inline constexpr int kEscape = 27;
inline constexpr int kReturn = 13;

// Where a window shows; see Window::Show.
enum class WindowPlace { FullScreen, InHost, Offscreen };

class Label;
class Surface;
struct Menu;

class Window {
 public:
  virtual ~Window() = default;

  virtual void SetCaption(std::string_view caption) = 0;
  // Makes the window visible where it is told, so that its client area has its size when this
  // returns; that size may still change later (Resized tells):
  // - FullScreen: on the desktop, without a title bar and over the panels, on the screen that
  //   showed the program's previous window;
  // - InHost: inside the window of another program that the platform was given to show in (a
  //   screen saver's), filling it and following its size, taking no input;
  // - Offscreen: nowhere on a screen, at the size of the platform's frames: the program reads
  //   the surfaces itself (a recording).
  // A platform that has no such place ends the program with a fatal error.
  virtual void Show(WindowPlace place) = 0;
  // Makes the window visible in the middle of the screen with a client area of the given size,
  // without a title bar: only a frame `frameWidth` pixels wide on its left and top sides. On a
  // screen too small for it, the window moves as little as needed to lie on the screen, its
  // top-left corner first, but never so that any of `keepOnScreen` (client pixels; none when
  // empty) is off the screen. The window's first control takes the keyboard focus.
  virtual void ShowCentered(int clientWidth, int clientHeight, int frameWidth,
                            const Area& keepOnScreen) = 0;
  // Size of the client area in pixels. On a high-density screen a pixel is a block of device
  // pixels, so that pixels have about the physical size they have on an ordinary screen.
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  // Hides the mouse pointer over the window once it has rested for `idleMs` milliseconds; it
  // comes back with the next motion, button press or menu.
  virtual void HidePointerWhenIdle(int idleMs) = 0;
  // Shows the surface in the client area at its Left/Top; later surfaces lie over earlier ones.
  // The surface must outlive the window.
  virtual void AddSurface(Surface& surface) = 0;
  // Shows the label over every surface and under every control. It must outlive the window.
  virtual void AddLabel(Label& label) = 0;
  // Shows the control's window in the client area, over every surface, cut to its region;
  // later controls lie over earlier ones. The control must outlive the window.
  virtual void AddControl(ControlWindow& control) = 0;
  // Shows what the surfaces hold now.
  virtual void Present() = 0;
  // While on, Frame runs once for each frame of the screen, at its refresh rate and never
  // faster, as soon as the program is free: the moment to draw a frame between two ticks.
  // Frames the program cannot keep up with are dropped, never queued.
  virtual void PaceFrames(bool on) = 0;
  // Closes the window for good.
  virtual void Unload() = 0;
  // Opens the menu as a pop-up at the mouse pointer and waits until it closes; the chosen
  // item's Click runs after that.
  virtual void PopupMenu(Menu& menu) = 0;

  // A key typed while the window is active, as its character code (Esc is kEscape).
  std::function<void(int charCode)> KeyPress;
  // A mouse button went down over a surface: the button, the modifier keys and the position in
  // the surface's scale units.
  std::function<void(Surface& surface, int button, int shift, float x, float y)> MouseDown;
  // The client area's size in pixels changed (the window was resized, or the screen changed).
  std::function<void()> Resized;
  // The window was closed, by Unload or from its frame.
  std::function<void()> Unloaded;
  // A frame of the screen is due (see PaceFrames).
  std::function<void()> Frame;
};

}  // namespace starquill
