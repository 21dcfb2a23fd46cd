#pragma once
// A CandyButton as the painting tests use it: a given size and style, the splash button's
// blue body colours, and pixel access to what it presents.

#include <memory>

#include "controls/CandyButton.h"
#include "tests/support/fake_host.h"

namespace starquill::testing {

inline constexpr Color kBodyBlue = RGB(80, 153, 233);
inline constexpr Color kHoverBlue = RGB(144, 192, 255);
inline constexpr Color kBrightBlue = RGB(176, 237, 255);

struct ButtonUnderTest {
  FakeHost host;
  std::unique_ptr<CandyButton> button = std::make_unique<CandyButton>(host);

  // Sizes the button's window, sets its colours and style, and shapes it.
  ButtonUnderTest(int width, int height, int32_t style) {
    button->Window().Move(0, 0, width, height);
    button->SetColorButtonUp(kBodyBlue);
    button->SetColorButtonDown(kBodyBlue);
    button->SetColorButtonHover(kHoverBlue);
    button->SetColorBright(kBrightBlue);
    button->SetStyle(style);
    button->UpdateShape();
  }

  // Repaints in a state and returns the colour of a pixel the face shows.
  void Paint(int32_t state) { button->Redraw(state); }
  Color Shown(int x, int y) const {
    const PictureRef& shown = button->Window().Picture();
    if (!shown || x < 0 || y < 0 || x >= shown->width || y >= shown->height) return -1;
    return static_cast<Color>(shown->pixels[static_cast<size_t>(y) * shown->width + x] & 0xFFFFFF);
  }
};

}  // namespace starquill::testing
