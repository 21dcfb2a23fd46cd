#include "platform/hosting/control_window.h"

#include <algorithm>

#include "platform/hosting/input_codes.h"

namespace starquill {
namespace {

// Handles only name windows (in hooks' tables and reports): a count keeps them apart. It is
// the one piece of state windows share.
HWND NewHandle() {
  static HWND next = 0x1000;
  const HWND handle = next;
  next = next == INT32_MAX ? 0x1000 : next + 1;
  return handle;
}

}  // namespace

LRESULT WindowProcedure::CallReplaced(ControlWindow& window, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
  // Held for the call: the replaced procedure may take itself out of the chain while it runs.
  const std::shared_ptr<WindowProcedure> next = replaced_;
  return next ? next->Handle(window, message, wParam, lParam) : 0;
}

// The window's own procedure, at the bottom of its chain: reports each message to the
// window's control as an event.
class ControlWindow::OwnProcedure : public WindowProcedure {
 public:
  LRESULT Handle(ControlWindow& window, UINT message, WPARAM wParam, LPARAM lParam) override {
    const auto i16 = [](int v) { return static_cast<int16_t>(v); };
    const MouseKeys keys = MouseKeysOf(wParam);
    const int16_t shift = i16(keys.shift);
    const float x = static_cast<float>(LoWord(lParam));
    const float y = static_cast<float>(HiWord(lParam));
    ControlEvents* const e = window.events_;
    switch (message) {
      case WM_MOUSEMOVE:
        if (e) e->UserControl_MouseMove(i16(keys.buttons), shift, x, y);
        break;
      case WM_LBUTTONDOWN:
        left_pressed_here_ = true;
        if (e) e->UserControl_MouseDown(kLeftButton, shift, x, y);
        break;
      case WM_RBUTTONDOWN:
        if (e) e->UserControl_MouseDown(kRightButton, shift, x, y);
        break;
      case WM_MBUTTONDOWN:
        if (e) e->UserControl_MouseDown(kMiddleButton, shift, x, y);
        break;
      case WM_LBUTTONUP: {
        const bool click =
            left_pressed_here_ && window.HitTest(static_cast<int>(x), static_cast<int>(y));
        left_pressed_here_ = false;
        if (e) e->UserControl_MouseUp(kLeftButton, shift, x, y);
        if (click && e) e->UserControl_Click();
        break;
      }
      case WM_RBUTTONUP:
        if (e) e->UserControl_MouseUp(kRightButton, shift, x, y);
        break;
      case WM_MBUTTONUP:
        if (e) e->UserControl_MouseUp(kMiddleButton, shift, x, y);
        break;
      case WM_LBUTTONDBLCLK:
        left_pressed_here_ = false;  // the release after a double click is no click
        if (e) e->UserControl_DblClick();
        break;
      case WM_KEYDOWN:
        if (e) e->UserControl_KeyDown(i16(wParam), i16(lParam));
        break;
      case WM_KEYUP:
        if (e) e->UserControl_KeyUp(i16(wParam), i16(lParam));
        break;
      case WM_SETFOCUS:
        if (e) e->UserControl_EnterFocus();
        break;
      case WM_KILLFOCUS:
        if (e) e->UserControl_ExitFocus();
        break;
      case WM_SIZE:
        if (e) e->UserControl_Resize();
        break;
      case WM_SHOWWINDOW:
        if (wParam != 0 && e) e->UserControl_Show();
        break;
      case WM_DESTROY:
        if (e) e->UserControl_Terminate();
        break;
      default:
        break;
    }
    return 0;
  }

 private:
  bool left_pressed_here_ = false;  // for the click on release
};

ControlWindow::ControlWindow(ControlEvents* events)
    : handle_(NewHandle()), events_(events), procedure_(std::make_shared<OwnProcedure>()) {}

ControlWindow::~ControlWindow() {
  events_ = nullptr;  // the control may be partly gone already
  Destroy();
}

void ControlWindow::Destroy() {
  if (destroying_) return;
  destroying_ = true;
  SendMessage(WM_DESTROY, 0, 0);
  exists_ = false;
}

LRESULT ControlWindow::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!exists_) return 0;
  // Held for the call: a hook may leave the chain while it handles the message.
  const std::shared_ptr<WindowProcedure> procedure = procedure_;
  return procedure->Handle(*this, message, wParam, lParam);
}

bool ControlWindow::Hook(std::shared_ptr<WindowProcedure> procedure) {
  if (!exists_ || procedure == nullptr || procedure->replaced_ != nullptr) return false;
  procedure->replaced_ = std::move(procedure_);
  procedure_ = std::move(procedure);
  return true;
}

bool ControlWindow::Unhook(const WindowProcedure& procedure) {
  // The link that holds the procedure: the window's own, or the procedure in front of it.
  for (std::shared_ptr<WindowProcedure>* link = &procedure_; *link != nullptr;
       link = &(*link)->replaced_) {
    if (link->get() != &procedure) continue;
    if (procedure.replaced_ == nullptr) return false;  // the window's own stays
    // The procedure keeps its own link: if it is still running, it may pass the message on.
    *link = procedure.replaced_;
    return true;
  }
  return false;
}

void ControlWindow::Move(int left, int top, int width, int height) {
  const bool resized = std::max(width, 0) != width_ || std::max(height, 0) != height_;
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (resized) SendMessage(WM_SIZE, 0, MakeMouseLParam(width_, height_));
  NotifyChanged();
}

void ControlWindow::Show() {
  visible_ = true;
  SendMessage(WM_SHOWWINDOW, 1, 0);
  NotifyChanged();
}

void ControlWindow::Hide() {
  visible_ = false;
  NotifyChanged();
}

void ControlWindow::SetDeviceScale(double scale) {
  if (scale == device_scale_) return;
  device_scale_ = scale;
  if (events_ != nullptr) events_->DeviceScaleChanged();
}

void ControlWindow::SetPicture(PictureRef picture) {
  picture_ = std::move(picture);
  NotifyChanged();
}

void ControlWindow::SetWindowRegion(std::optional<Region> region) {
  region_ = std::move(region);
  NotifyChanged();
}

bool ControlWindow::HitTest(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  return !region_ || region_->Contains(x, y);
}

void ControlWindow::SetMousePointer(int kind) {
  mouse_pointer_ = kind;
  NotifyChanged();
}

void ControlWindow::NotifyChanged() {
  if (Changed) Changed();
}

}  // namespace starquill
