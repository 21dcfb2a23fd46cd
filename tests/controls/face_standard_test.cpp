// The fixed-colour faces: the standard button (Style 0) and the flat button (Style 1).

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/button_fixture.h"

namespace starquill {
namespace {

using testing::ButtonUnderTest;

constexpr Color kBack = RGB(236, 233, 216);  // the fixture's container colour
constexpr Color P = RGB(122, 149, 168), G = RGB(37, 87, 131), E = RGB(0, 60, 116);

// The colour of step i of a band from a to b with divisor D.
Color BandColor(Color a, Color b, double i, double D) {
  const double t = i / D;
  const auto c = [t](int ac, int bc) {
    return static_cast<int>(std::nearbyint(t * bc + ac - t * ac));
  };
  return RGB(c(RedOf(a), RedOf(b)), c(GreenOf(a), GreenOf(b)), c(BlueOf(a), BlueOf(b)));
}

TEST(StandardFace, TopAndBottomRowsShowTheCutCorners) {
  ButtonUnderTest b(100, 30, 0);
  b.Paint(StateUp);
  EXPECT_EQ(b.Shown(0, 0), kBack);
  EXPECT_EQ(b.Shown(1, 0), P);
  for (int x = 2; x <= 96; ++x)
    ASSERT_EQ(b.Shown(x, 0), E) << x;
  EXPECT_EQ(b.Shown(97, 0), G);
  EXPECT_EQ(b.Shown(98, 0), P);
  EXPECT_EQ(b.Shown(99, 0), kBack);

  EXPECT_EQ(b.Shown(0, 29), kBack);
  EXPECT_EQ(b.Shown(1, 29), P);
  EXPECT_EQ(b.Shown(2, 29), G);
  for (int x = 3; x <= 97; ++x)
    ASSERT_EQ(b.Shown(x, 29), E) << x;
  EXPECT_EQ(b.Shown(98, 29), P);
  EXPECT_EQ(b.Shown(99, 29), kBack);
}

TEST(StandardFace, TheBodyIsALightGradientWithADarkerFoot) {
  ButtonUnderTest b(100, 30, 0);
  b.Paint(StateUp);
  // The first band runs over rows 0..26 from x = 1 to 98; the second repaints rows 25..28.
  EXPECT_EQ(b.Shown(50, 10), BandColor(RGB(255, 255, 255), RGB(236, 235, 230), 10, 26));
  EXPECT_EQ(b.Shown(1, 24), BandColor(RGB(255, 255, 255), RGB(236, 235, 230), 24, 26));
  for (int i = 0; i <= 3; ++i) {
    EXPECT_EQ(b.Shown(50, 25 + i), BandColor(RGB(236, 235, 230), RGB(214, 208, 197), i, 3));
  }
  EXPECT_EQ(b.Shown(50, 28), RGB(214, 208, 197));
}

TEST(StandardFace, PressedItsLastBandRowRunsPastTheEndColour) {
  ButtonUnderTest b(100, 30, 0);
  b.Paint(StateDown);
  EXPECT_EQ(b.Shown(50, 1), RGB(209, 204, 193));
  EXPECT_EQ(b.Shown(50, 4), BandColor(RGB(229, 228, 221), RGB(226, 226, 218), 4, 23));
  EXPECT_EQ(b.Shown(50, 29), E);
  // The fifth bottom row (t = 4/3) also covers the bottom-left corner pixel; the outline leaves
  // it alone, so that corner is not the container's colour in this look.
  EXPECT_EQ(b.Shown(0, 29), RGB(247, 246, 245));
  EXPECT_EQ(b.Shown(99, 29), kBack);
}

TEST(StandardFace, HoverAndFocusAddTheirRims) {
  ButtonUnderTest b(100, 30, 0);
  b.Paint(StateHover);
  EXPECT_EQ(b.Shown(50, 1), RGB(255, 240, 202));
  EXPECT_EQ(b.Shown(50, 2), RGB(253, 216, 137));
  EXPECT_EQ(b.Shown(50, 27), RGB(248, 178, 48));
  EXPECT_EQ(b.Shown(50, 28), RGB(229, 151, 0));
  const Color side = BandColor(RGB(253, 216, 137), RGB(248, 178, 48), 14, 29);
  for (int x = 0; x <= 2; ++x)
    EXPECT_EQ(b.Shown(x, 14), x == 0 ? E : side) << x;
  EXPECT_NE(b.Shown(3, 14), side);  // the left rim is three pixels wide...
  EXPECT_EQ(b.Shown(96, 14), BandColor(RGB(255, 255, 255), RGB(236, 235, 230), 14, 26));
  EXPECT_EQ(b.Shown(97, 14), side);  // ...the right one two, then the outline's column
  EXPECT_EQ(b.Shown(98, 14), side);
  EXPECT_EQ(b.Shown(99, 14), E);

  b.Paint(StateFocus);
  EXPECT_EQ(b.Shown(50, 1), RGB(206, 231, 255));
  EXPECT_EQ(b.Shown(50, 28), RGB(105, 130, 238));
  b.Paint(StateChecked);
  EXPECT_EQ(b.Shown(50, 1), BandColor(RGB(255, 255, 255), RGB(236, 235, 230), 1, 26));
}

TEST(FlatFace, IsInvisibleUntilHoveredPressedOrChecked) {
  ButtonUnderTest b(100, 30, 1);
  for (const int32_t state : {StateUp, StateFocus}) {
    b.Paint(state);
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 100; ++x)
        ASSERT_EQ(b.Shown(x, y), kBack) << x << "," << y;
    }
  }
  b.Paint(StateHover);
  EXPECT_EQ(b.Shown(50, 1), RGB(254, 254, 253));
  EXPECT_EQ(b.Shown(1, 0), RGB(232, 232, 221));
  b.Paint(StateDown);
  EXPECT_EQ(b.Shown(50, 1), RGB(220, 218, 209));
  EXPECT_EQ(b.Shown(50, 0), RGB(157, 157, 146));
}

TEST(FlatFace, CheckedShowsTheWhiteBoxWhateverIsAsked) {
  ButtonUnderTest b(100, 30, 1);
  b.button->SetChecked(true);
  for (const int32_t state : {StateUp, StateHover, StateDown, StateFocus}) {
    b.Paint(state);
    EXPECT_EQ(b.Shown(50, 15), RGB(255, 255, 255));
    EXPECT_EQ(b.Shown(1, 15), RGB(255, 255, 255));
    EXPECT_EQ(b.Shown(0, 15), RGB(122, 152, 175));
    EXPECT_EQ(b.Shown(1, 0), RGB(203, 213, 214));
    EXPECT_EQ(b.Shown(0, 0), kBack);
  }
}

TEST(FixedFaces, AContainerWithoutBackgroundLeavesTheFaceAsItWas) {
  ButtonUnderTest b(100, 30, 1);
  b.host.back_color.reset();
  const Color face = b.button->Picture1.BackColor();
  b.Paint(StateUp);
  EXPECT_EQ(b.Shown(50, 15), face);
}

TEST(FixedFaces, TinyButtonsPaintWithoutFault) {
  for (int h = 0; h <= 6; ++h) {
    for (int32_t style : {0, 1}) {
      ButtonUnderTest b(h + 3, h, style);
      for (int32_t state = 0; state <= 4; ++state)
        b.Paint(state);
    }
  }
}

}  // namespace
}  // namespace starquill
