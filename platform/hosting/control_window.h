#pragma once
// A control's own window inside a form: its place and size in pixels, the picture it shows as
// its background, the region it is cut to, its mouse pointer, and its chain of procedures.
//
// Messages sent to the window go through its current procedure. A procedure put in front of
// another owns the one it replaced and may pass messages on to it; at the bottom of the chain
// lies the window's own procedure, which reports each message to the window's control as an
// event: mouse down, move and up with the button, shift and position; click (left button
// released over the window after being pressed on it); double click; keys; focus; size; show;
// destroy.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/color.h"
#include "platform/drawing/region.h"
#include "platform/hosting/window_messages.h"

namespace starquill {

class ControlWindow;

// Mouse pointer kinds a control can show.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerArrow = 1;
inline constexpr int kPointerCustom = 99;  // the control's own; a pointing hand here

// The events a control window's own procedure reports to its control. Buttons are 1 left,
// 2 right, 4 middle (a mask for moves); shift is 1 Shift, 2 Ctrl (and 4 Alt for keys);
// positions are in the window's pixels.
class ControlEvents {
 public:
  virtual void UserControl_MouseDown(int16_t /*Button*/, int16_t /*Shift*/, float /*x*/,
                                     float /*y*/) {}
  virtual void UserControl_MouseMove(int16_t /*Button*/, int16_t /*Shift*/, float /*x*/,
                                     float /*y*/) {}
  virtual void UserControl_MouseUp(int16_t /*Button*/, int16_t /*Shift*/, float /*x*/,
                                   float /*y*/) {}
  virtual void UserControl_Click() {}
  virtual void UserControl_DblClick() {}
  virtual void UserControl_KeyDown(int16_t /*KeyCode*/, int16_t /*Shift*/) {}
  virtual void UserControl_KeyUp(int16_t /*KeyCode*/, int16_t /*Shift*/) {}
  virtual void UserControl_EnterFocus() {}
  virtual void UserControl_ExitFocus() {}
  virtual void UserControl_Resize() {}
  virtual void UserControl_Show() {}
  virtual void UserControl_Terminate() {}
  // The form's screen has a new density: the control paints its picture anew at it.
  virtual void DeviceScaleChanged() {}

 protected:
  ~ControlEvents() = default;
};

// A link in a window's chain of procedures.
class WindowProcedure {
 public:
  virtual ~WindowProcedure() = default;
  virtual LRESULT Handle(ControlWindow& window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // The procedure this one replaced, which it owns; nullptr for a window's own procedure.
  const WindowProcedure* Replaced() const { return replaced_.get(); }

 protected:
  // Passes the message on to the replaced procedure; 0 when there is none.
  LRESULT CallReplaced(ControlWindow& window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class ControlWindow;
  std::shared_ptr<WindowProcedure> replaced_;
};

class ControlWindow {
 public:
  // `events` (the window's control) must outlive the window; nullptr reports nothing.
  explicit ControlWindow(ControlEvents* events = nullptr);
  ~ControlWindow();
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  // The handle names the window in hooks' tables and reports; handles are not reused.
  HWND hWnd() const { return handle_; }
  // Until the window is destroyed (it still exists while its WM_DESTROY runs).
  bool Exists() const { return exists_; }

  // Sends the message through the window's current procedure; 0 once the window is gone.
  LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // The procedure messages go through now.
  const WindowProcedure& Procedure() const { return *procedure_; }
  // Puts the procedure in front of the chain; it takes over the one it replaces. Fails for a
  // window that is gone, and for no procedure or one that is or was in a chain.
  bool Hook(std::shared_ptr<WindowProcedure> procedure);
  // Takes the procedure out of the chain wherever it lies (the one it replaced takes its place)
  // and lets it go: it ends once it no longer runs. False when the chain has no such hook.
  bool Unhook(const WindowProcedure& procedure);

  // Place in the form and size, in pixels; a new size is reported with WM_SIZE.
  void Move(int left, int top, int width, int height);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The inner size in pixels (the window has no border).
  float ScaleWidth() const { return static_cast<float>(width_); }
  float ScaleHeight() const { return static_cast<float>(height_); }

  // Showing sends WM_SHOWWINDOW; hiding takes the window off the screen without a message.
  bool Visible() const { return visible_; }
  void Show();
  void Hide();
  // Sends WM_DESTROY through the window's procedures, then the window is gone. Runs once; the
  // destructor runs it (without telling the control) when nobody did.
  void Destroy();

  // Device pixels per pixel on the form's screen; a new density is told to the control.
  double DeviceScale() const { return device_scale_; }
  void SetDeviceScale(double scale);

  // The background picture: what the window shows, from its top-left corner.
  const PictureRef& Picture() const { return picture_; }
  void SetPicture(PictureRef picture);

  // Pixels outside the region are not part of the window: they show what lies behind it and
  // do not receive the mouse. No region: the whole rectangle.
  const std::optional<Region>& WindowRegion() const { return region_; }
  void SetWindowRegion(std::optional<Region> region);

  // Whether a point in the window's own pixels belongs to it.
  bool HitTest(int x, int y) const;

  int MousePointer() const { return mouse_pointer_; }
  void SetMousePointer(int kind);
  Color ForeColor() const { return fore_color_; }
  void SetForeColor(Color color) { fore_color_ = color; }

  // Whether a leave notification is pending: asked for, and WM_MOUSELEAVE not yet sent.
  bool TrackingLeave() const { return tracking_leave_; }
  void SetTrackingLeave(bool on) { tracking_leave_ = on; }

  // Called whenever what the window shows changes, so that its form can repaint it.
  std::function<void()> Changed;

 private:
  class OwnProcedure;
  void NotifyChanged();

  HWND handle_;
  bool exists_ = true;
  bool destroying_ = false;
  ControlEvents* events_;
  std::shared_ptr<WindowProcedure> procedure_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  double device_scale_ = 1;
  bool visible_ = true;
  PictureRef picture_;
  std::optional<Region> region_;
  int mouse_pointer_ = kPointerDefault;
  Color fore_color_ = 0;
  bool tracking_leave_ = false;
};

}  // namespace starquill
