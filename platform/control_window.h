#pragma once
// A control's own window inside a form: its place and size in pixels, the picture it shows as
// its background, the region it is cut to and its mouse pointer. Each has a window handle by
// which the Win32-style calls find it; handles are never reused.

#include <functional>
#include <optional>

#include "platform/bitmap.h"
#include "platform/gdi.h"
#include "platform/region.h"

namespace starquill {

// Mouse pointer kinds a control can show.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerArrow = 1;
inline constexpr int kPointerCustom = 99;  // the control's own; a pointing hand here

class ControlWindow {
 public:
  ControlWindow();
  ~ControlWindow();
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  HWND hWnd() const { return handle_; }
  // The live window with this handle, or nullptr.
  static ControlWindow* FromHandle(HWND handle);

  // Place in the form and size, in pixels.
  void Move(int left, int top, int width, int height);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The inner size in pixels (the window has no border).
  float ScaleWidth() const { return static_cast<float>(width_); }
  float ScaleHeight() const { return static_cast<float>(height_); }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

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

  // Called whenever what the window shows changes, so that its form can repaint it.
  std::function<void()> Changed;

 private:
  void NotifyChanged();

  HWND handle_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  PictureRef picture_;
  std::optional<Region> region_;
  int mouse_pointer_ = kPointerDefault;
};

}  // namespace starquill
