#pragma once
// A CandyButton as the painting and input tests use it: a given size and style, the splash
// button's blue body colours, pixel access to what it presents, and running as in a form.

#include <memory>

#include "controls/CandyButton.h"
#include "tests/support/fake_host.h"

namespace starquill::testing {

inline constexpr Color kBodyBlue = RGB(80, 153, 233);
inline constexpr Color kHoverBlue = RGB(144, 192, 255);
inline constexpr Color kBrightBlue = RGB(176, 237, 255);

// The button with its face surface, painters and tracking state in reach.
class InspectedButton : public CandyButton {
 public:
  using CandyButton::CandyButton;
  using CandyButton::CornerRadius;
  using CandyButton::HasFocus;
  using CandyButton::m_TrackAvailable;
  using CandyButton::m_TrackUser32;
  using CandyButton::MouseOver;
  using CandyButton::PaintGel;
  using CandyButton::PaintSolid;
  using CandyButton::Picture1;
  using CandyButton::PlainColor;
  using CandyButton::SetRoundRegion;
};

struct ButtonUnderTest {
  FakeHost host;
  std::unique_ptr<InspectedButton> button = std::make_unique<InspectedButton>(host);

  // Sizes the button's window, sets its colours and style, and shapes it.
  ButtonUnderTest(int width, int height, int32_t style) {
    button->Window().Move(0, 0, width, height);
    button->SetColorButtonUp(kBodyBlue);
    button->SetColorButtonDown(kBodyBlue);
    button->SetColorButtonHover(kHoverBlue);
    button->SetColorBright(kBrightBlue);
    button->SetStyle(style);  // a new style reshapes; the size gave Style 0 its shape
  }

  // Loads the button's own design back as a running form does, which sets up its hover
  // tracking.
  void Run() {
    host.user_mode = true;
    PropertyBag design;
    button->WriteProperties(design);
    button->ReadProperties(design);
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
