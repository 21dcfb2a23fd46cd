#include "platform/control_window.h"

#include <algorithm>
#include <map>

namespace starquill {
namespace {

std::map<HWND, ControlWindow*>& Windows() {
  static std::map<HWND, ControlWindow*> windows;
  return windows;
}

HWND g_next_handle = 0x1000;

}  // namespace

ControlWindow::ControlWindow() : handle_(g_next_handle++) { Windows()[handle_] = this; }

ControlWindow::~ControlWindow() { Windows().erase(handle_); }

ControlWindow* ControlWindow::FromHandle(HWND handle) {
  const auto it = Windows().find(handle);
  return it == Windows().end() ? nullptr : it->second;
}

void ControlWindow::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  NotifyChanged();
}

void ControlWindow::SetVisible(bool visible) {
  visible_ = visible;
  NotifyChanged();
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
