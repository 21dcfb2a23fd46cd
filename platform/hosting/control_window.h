#pragma once
// A control's own window inside a form: its place and size in pixels, the picture it shows as
// its background, the region it is cut to, its mouse pointer, and its window procedure. Each
// window has a handle by which the Win32-style calls find it; handles are never reused.
//
// Input reaches a control as window messages sent through its current procedure. The window's
// own procedure turns them into the events of Events, as a control's host reports them: mouse
// down, move and up with the button, shift and position; click (left button released over the
// window after being pressed on it); double click; keys; focus; size; show; destroy.

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/color.h"
#include "platform/drawing/region.h"
#include "platform/hosting/gdi.h"
#include "platform/hosting/window_messages.h"

namespace starquill {

// Mouse pointer kinds a control can show.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerArrow = 1;
inline constexpr int kPointerCustom = 99;  // the control's own; a pointing hand here

class ControlWindow {
 public:
  // What the window's own procedure reports. Buttons are 1 left, 2 right, 4 middle (a mask for
  // moves); shift is 1 Shift, 2 Ctrl, 4 Alt; positions are in the window's pixels.
  struct Events {
    std::function<void(int button, int shift, float x, float y)> MouseDown;
    std::function<void(int button, int shift, float x, float y)> MouseMove;
    std::function<void(int button, int shift, float x, float y)> MouseUp;
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int keyCode, int shift)> KeyDown;
    std::function<void(int keyCode, int shift)> KeyUp;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void()> Resize;
    std::function<void()> Show;
    std::function<void()> Destroy;
  };

  ControlWindow();
  ~ControlWindow();
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  HWND hWnd() const { return handle_; }
  // The live window with this handle, or nullptr.
  static ControlWindow* FromHandle(HWND handle);

  Events events;

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
  // Sends WM_DESTROY through the window's procedure, then the handle is gone. Runs once; the
  // destructor runs it when nobody did.
  void Destroy();

  // Device pixels per pixel on the form's screen. A new density is told to DeviceScaleChanged,
  // so that the window's owner can paint its picture anew at that density.
  double DeviceScale() const { return device_scale_; }
  void SetDeviceScale(double scale);
  std::function<void()> DeviceScaleChanged;

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

  // The procedure messages go through now, and the window's own.
  WNDPROC WindowProcedure() const { return proc_; }
  WNDPROC OwnProcedure() const { return own_proc_; }
  // Makes `proc` the window's procedure; returns the one it replaces.
  WNDPROC ReplaceWindowProc(WNDPROC proc);

  // Whether a leave notification is pending (asked for and not yet sent).
  bool TrackingLeave() const { return tracking_leave_; }
  void SetTrackingLeave(bool on) { tracking_leave_ = on; }

  uint32_t OwnerProcess() const { return owner_process_; }
  // Tests make windows that belong to another process.
  void SetOwnerProcess(uint32_t process) { owner_process_ = process; }

  // Called whenever what the window shows changes, so that its form can repaint it.
  std::function<void()> Changed;

 private:
  LRESULT HandleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void NotifyChanged();

  HWND handle_;
  bool destroyed_ = false;
  WNDPROC own_proc_;
  WNDPROC proc_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  double device_scale_ = 1;
  bool visible_ = true;
  PictureRef picture_;
  std::optional<Region> region_;
  int mouse_pointer_ = kPointerDefault;
  Color fore_color_ = 0;
  bool tracking_leave_ = false;
  bool left_pressed_here_ = false;  // for the click on release
  uint32_t owner_process_;
};

}  // namespace starquill
