#pragma once
// A text label on a form: a caption in a font and colour, placed in a rectangle of the form's
// client area (pixels), drawn over the form's surfaces without a background, and clickable.

#include <functional>
#include <string>

#include "platform/drawing/color.h"
#include "platform/drawing/font.h"

namespace starquill {

class Label {
 public:
  enum Alignment { kLeft = 0, kRight = 1, kCenter = 2 };

  Label(int left, int top, int width, int height)
      : left_(left), top_(top), width_(width), height_(height) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (Changed) Changed();
  }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const {
    return x >= left_ && y >= top_ && x < left_ + width_ && y < top_ + height_;
  }

  FontSpec Font;
  Color ForeColor = 0;
  Alignment TextAlignment = kLeft;
  bool Visible = true;

  std::function<void()> Click;
  // The form repaints the label when its caption changes.
  std::function<void()> Changed;

 private:
  std::string caption_;
  int left_, top_, width_, height_;
};

}  // namespace starquill
