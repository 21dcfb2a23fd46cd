#include "platform/hosting/control_window.h"

#include <algorithm>
#include <map>

namespace starquill {
namespace {

std::map<HWND, ControlWindow*>& Windows() {
  static std::map<HWND, ControlWindow*> windows;
  return windows;
}

HWND g_next_handle = 0x1000;

int ButtonsOf(WPARAM keys) {
  return (keys & MK_LBUTTON ? 1 : 0) | (keys & MK_RBUTTON ? 2 : 0) | (keys & MK_MBUTTON ? 4 : 0);
}

int ShiftOf(WPARAM keys) {
  return (keys & MK_SHIFT ? 1 : 0) | (keys & MK_CONTROL ? 2 : 0);
}

float XOf(LPARAM lParam) {
  return static_cast<int16_t>(lParam & 0xFFFF);
}
float YOf(LPARAM lParam) {
  return static_cast<int16_t>((static_cast<uint32_t>(lParam) >> 16) & 0xFFFF);
}

template <typename... Args, typename... Values>
void Raise(const std::function<void(Args...)>& event, Values... values) {
  if (event) event(values...);
}

}  // namespace

ControlWindow::ControlWindow()
    : handle_(g_next_handle++),
      own_proc_(RegisterWindowProc([this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        return HandleOwnMessage(message, wParam, lParam);
      })),
      proc_(own_proc_),
      owner_process_(GetCurrentProcessId()) {
  Windows()[handle_] = this;
}

ControlWindow::~ControlWindow() {
  events = Events{};  // whoever listened may be gone already
  Destroy();
  UnregisterWindowProc(own_proc_);
}

ControlWindow* ControlWindow::FromHandle(HWND handle) {
  const auto it = Windows().find(handle);
  return it == Windows().end() ? nullptr : it->second;
}

void ControlWindow::Destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  SendMessageA(handle_, WM_DESTROY, 0, 0);
  Windows().erase(handle_);
}

WNDPROC ControlWindow::ReplaceWindowProc(WNDPROC proc) {
  const WNDPROC previous = proc_;
  proc_ = proc;
  return previous;
}

LRESULT ControlWindow::HandleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const float x = XOf(lParam), y = YOf(lParam);
  switch (message) {
    case WM_MOUSEMOVE:
      Raise(events.MouseMove, ButtonsOf(wParam), ShiftOf(wParam), x, y);
      break;
    case WM_LBUTTONDOWN:
      left_pressed_here_ = true;
      Raise(events.MouseDown, 1, ShiftOf(wParam), x, y);
      break;
    case WM_RBUTTONDOWN:
      Raise(events.MouseDown, 2, ShiftOf(wParam), x, y);
      break;
    case WM_MBUTTONDOWN:
      Raise(events.MouseDown, 4, ShiftOf(wParam), x, y);
      break;
    case WM_LBUTTONUP: {
      const bool click = left_pressed_here_ && HitTest(static_cast<int>(x), static_cast<int>(y));
      left_pressed_here_ = false;
      Raise(events.MouseUp, 1, ShiftOf(wParam), x, y);
      if (click) Raise(events.Click);
      break;
    }
    case WM_RBUTTONUP:
      Raise(events.MouseUp, 2, ShiftOf(wParam), x, y);
      break;
    case WM_MBUTTONUP:
      Raise(events.MouseUp, 4, ShiftOf(wParam), x, y);
      break;
    case WM_LBUTTONDBLCLK:
      left_pressed_here_ = false;  // the release after a double click is no click
      Raise(events.DblClick);
      break;
    case WM_KEYDOWN:
      Raise(events.KeyDown, static_cast<int>(wParam), static_cast<int>(lParam));
      break;
    case WM_KEYUP:
      Raise(events.KeyUp, static_cast<int>(wParam), static_cast<int>(lParam));
      break;
    case WM_SETFOCUS:
      Raise(events.GotFocus);
      break;
    case WM_KILLFOCUS:
      Raise(events.LostFocus);
      break;
    case WM_SIZE:
      Raise(events.Resize);
      break;
    case WM_SHOWWINDOW:
      if (wParam != 0) Raise(events.Show);
      break;
    case WM_DESTROY:
      Raise(events.Destroy);
      break;
    default:
      break;
  }
  return 0;
}

void ControlWindow::Move(int left, int top, int width, int height) {
  const bool resized = std::max(width, 0) != width_ || std::max(height, 0) != height_;
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (resized) SendMessageA(handle_, WM_SIZE, 0, MakeMouseLParam(width_, height_));
  NotifyChanged();
}

void ControlWindow::Show() {
  visible_ = true;
  SendMessageA(handle_, WM_SHOWWINDOW, 1, 0);
  NotifyChanged();
}

void ControlWindow::Hide() {
  visible_ = false;
  NotifyChanged();
}

void ControlWindow::SetDeviceScale(double scale) {
  if (scale == device_scale_) return;
  device_scale_ = scale;
  if (DeviceScaleChanged) DeviceScaleChanged();
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
