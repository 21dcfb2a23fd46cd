#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

#include "controls/round_shape.h"
#include "tests/support/button_fixture.h"

namespace starquill::testing {
namespace {

constexpr Color kMarker = RGB(1, 2, 3);
constexpr Color kSolidRing = RGB(40, 76, 116);

// A button whose unpainted pixels show the marker colour, painted once in StateUp.
struct MarkedButton : ButtonUnderTest {
  explicit MarkedButton(int32_t style, int width = 100, int height = 30)
      : ButtonUnderTest(width, height, style) {
    button->Picture1.SetBackColor(kMarker);
    button->Picture1.SetPicture(nullptr);
    Paint(StateUp);
  }
};

TEST(GelFaceStyles, ListedPixelsOfA100x30Button) {
  const std::vector<std::tuple<int32_t, int, int, Color>> pixels = {
      // Style 2: ring, gloss, glow, shaded end, ring.
      {2, 49, 1, kBodyBlue},
      {2, 49, 5, RGB(227, 239, 252)},
      {2, 20, 5, RGB(227, 239, 252)},
      {2, 49, 14, RGB(175, 209, 245)},
      {2, 49, 20, RGB(139, 205, 247)},
      {2, 2, 15, RGB(87, 159, 235)},
      {2, 1, 15, kBodyBlue},
      // Style 3: radius 12 and a glow factor from the height.
      {3, 49, 5, RGB(205, 226, 249)},
      {3, 49, 14, RGB(143, 208, 248)},
      {3, 49, 20, RGB(164, 227, 253)},
      {3, 2, 15, RGB(147, 211, 249)},
      {3, 2, 9, RGB(100, 160, 210)},
      // Style 4: a shorter gloss band.
      {4, 49, 5, RGB(215, 232, 250)},
      {4, 49, 14, RGB(119, 187, 242)},
      {4, 49, 20, RGB(155, 219, 251)},
      // Style 5: tall gloss; at (2, 15) the glow passes 100 and leaves the plain colour.
      {5, 49, 5, RGB(227, 239, 252)},
      {5, 49, 14, RGB(119, 187, 242)},
      {5, 2, 15, kBodyBlue},
      {5, 20, 20, RGB(123, 190, 243)},
      // Style 6: dark ring, crescent, middle row.
      {6, 49, 1, kSolidRing},
      {6, 1, 15, kSolidRing},
      {6, 49, 3, RGB(240, 246, 254)},
      {6, 20, 5, RGB(229, 240, 252)},
      {6, 7, 6, RGB(224, 237, 252)},
      {6, 7, 3, RGB(155, 219, 250)},
      {6, 49, 14, RGB(82, 155, 233)}};
  for (const auto& [style, x, y, expected] : pixels) {
    MarkedButton b(style);
    EXPECT_EQ(b.Shown(x, y), expected) << "style " << style << " (" << x << ", " << y << ")";
  }
}

TEST(GelFaceStyles, RedrawPaintsWithEachStylesParameters) {
  // Style 3 on a 70-pixel-high button caps its vertical glow factor at 80.
  const std::vector<std::tuple<int32_t, int, GelParams>> styles = {
      {2, 30, {0, 50, 8, 1, 7, 15, 130, 100, 60}},
      {3, 30, {0, 70, 4, 0, 5, 10, 124, 100, 77}},
      {3, 70, {0, 70, 4, 0, 5, 10, 124, 100, 80}},
      {4, 30, {0, 70, 4, 0, 7, 13, 130, 100, 70}},
      {5, 30, {0, 50, -8, -17, 15, 31, 130, 80, 70}}};
  for (const auto& [style, height, params] : styles) {
    MarkedButton b(style, 100, height);
    b.button->PaintGel(0, 0, 99, height - 1, kBodyBlue, params);
    for (int i = 0; i < 100 * height; ++i) {
      ASSERT_EQ(b.button->Picture1.Pixel(i % 100, i / 100), b.Shown(i % 100, i / 100)) << style;
    }
  }
}

TEST(GelFaceShape, SymmetricAndInsideTheOutline) {
  for (int32_t style = 2; style <= 6; ++style) {
    MarkedButton b(style);
    const int32_t R = b.button->CornerRadius;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 100; ++x) {
        ASSERT_EQ(b.Shown(x, y), b.Shown(99 - x, y)) << style << " (" << x << ", " << y << ")";
        // Painted exactly inside the outline, and never on the outer rows and columns.
        const bool painted = b.Shown(x, y) != kMarker;
        const bool edge = x == 0 || x == 99 || y == 0 || y == 29;
        ASSERT_EQ(painted, IsInsideRoundRect(x, y, 0, 0, 99, 29, R)) << x << "," << y;
        ASSERT_FALSE(painted && edge) << style << " (" << x << ", " << y << ")";
      }
    }
  }
}

TEST(GelFaceRing, FollowsBorderBrightnessOnGelOnly) {
  for (auto [brightness, ring] : std::vector<std::pair<int32_t, Color>>{
           {100, RGB(255, 255, 255)}, {-100, RGB(0, 0, 0)}, {50, RGB(167, 204, 244)}}) {
    MarkedButton gel(2), solid(6);
    gel.button->SetBorderBrightness(brightness);
    solid.button->SetBorderBrightness(brightness);
    EXPECT_EQ(gel.Shown(49, 1), ring) << brightness;
    EXPECT_EQ(gel.Shown(1, 15), ring) << brightness;
    EXPECT_EQ(solid.Shown(49, 1), kSolidRing) << brightness;
  }
}

TEST(GelFaceStates, FaceColourByState) {
  constexpr Color kDown = RGB(16, 104, 160);
  // The ring shows the face colour (Style 2) or half of it (Style 6).
  const std::vector<std::tuple<int32_t, Color, Color>> states = {
      {StateUp, kBodyBlue, kSolidRing},
      {StateFocus, kBodyBlue, kSolidRing},
      {StateDown, kDown, RGB(8, 52, 80)},
      {StateChecked, kDown, RGB(8, 52, 80)},
      {StateHover, kHoverBlue, RGB(72, 96, 127)},
      {-1, kMarker, kMarker},
      {5, kMarker, kMarker},
      {INT_MAX, kMarker, kMarker}};
  MarkedButton gel(2), solid(6);
  gel.button->SetColorButtonDown(kDown);
  solid.button->SetColorButtonDown(kDown);
  for (auto [state, gelRing, solidRing] : states) {
    gel.Paint(state);
    solid.Paint(state);
    EXPECT_EQ(gel.Shown(49, 1), gelRing) << state;
    EXPECT_EQ(solid.Shown(49, 1), solidRing) << state;
    EXPECT_EQ(gel.Shown(49, 14) == kMarker, gelRing == kMarker) << state;
  }
}

TEST(GelFaceDegenerate, TinyButtonsAndRadiiThatDoNotFit) {
  MarkedButton three(6, 100, 3), two(6, 100, 2);
  EXPECT_EQ(three.button->CornerRadius, 1);
  EXPECT_EQ(three.Shown(49, 1), kSolidRing);  // one ring row, no body
  EXPECT_EQ(two.button->CornerRadius, 0);
  EXPECT_EQ(two.Shown(49, 1), kMarker);
  for (int32_t style = 2; style <= 6; ++style) {
    for (auto [w, h] : std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {2, 40}, {7, 5}}) {
      MarkedButton(style, w, h).Paint(StateHover);
    }
    MarkedButton b(style);
    for (int32_t r : {0, -1, -1000, 1000}) {
      b.button->CornerRadius = r;
      b.Paint(StateUp);
      b.button->PaintGel(INT_MAX, INT_MIN, 99, 29, kBodyBlue,
                         {INT_MIN, INT_MAX, INT_MIN, INT_MAX, -1, INT_MAX, INT_MIN, INT_MIN, 0});
      b.button->PaintSolid(INT_MIN, INT_MAX, 99, 29, kBodyBlue);
    }
    // With no radius the whole face is body; the gloss gains nothing and stays white.
    b.button->CornerRadius = 0;
    b.button->PaintGel(0, 0, 99, 29, kBodyBlue, {0, 50, 0, 1, 0, 15, 200, 100, 100});
    EXPECT_EQ(b.button->Picture1.Pixel(49, 5), RGB(255, 255, 255)) << style;
  }
}

}  // namespace
}  // namespace starquill::testing
