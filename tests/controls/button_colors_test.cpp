// The button's colour model and the redraw pipeline around the painters.

#include "controls/button_colors.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/support/button_fixture.h"

namespace starquill {
namespace {

using testing::ButtonUnderTest;
using testing::InspectedButton;

constexpr int32_t kSystemButtonFace = static_cast<int32_t>(0x8000000Fu);

TEST(ButtonColors, BlendsByAClampedPercentageWrittenBack) {
  int32_t p = 50;
  EXPECT_EQ(BlendColors(RGB(0, 0, 0), RGB(255, 255, 255), p), RGB(127, 127, 127));
  p = 150;
  EXPECT_EQ(BlendColors(RGB(0, 0, 0), RGB(255, 255, 255), p), RGB(255, 255, 255));
  EXPECT_EQ(p, 100);
  p = -5;
  EXPECT_EQ(BlendColors(RGB(10, 20, 30), RGB(255, 255, 255), p), RGB(10, 20, 30));
  EXPECT_EQ(p, 0);
  p = 33;  // channel by channel, truncating toward zero, also when falling
  EXPECT_EQ(BlendColors(RGB(200, 0, 100), RGB(0, 200, 101), p), RGB(134, 66, 100));
}

TEST(ButtonColors, SystemColoursAreTheHostsAndBadColoursHaveNone) {
  testing::FakeHost host;
  host.system_colors[15] = RGB(1, 2, 3);  // the host's own, not a fixed table's
  EXPECT_EQ(TranslateColor(kSystemButtonFace, host), RGB(1, 2, 3));
  EXPECT_EQ(TranslateColor(static_cast<int32_t>(0x8000001Eu), host), host.system_colors[30]);
  EXPECT_EQ(TranslateColor(RGB(10, 20, 30), host), RGB(10, 20, 30));
  EXPECT_EQ(TranslateColor(0x02123456, host), 0x123456);  // palette-relative, without a palette
  for (uint32_t bad : {0x8000001Fu, 0x800000FFu, 0x01000005u, 0x81000000u, 0xFF000000u}) {
    EXPECT_EQ(TranslateColor(static_cast<int32_t>(bad), host), std::nullopt) << std::hex << bad;
  }

  // A body colour given as a system colour paints as that colour, never as raw bits.
  ButtonUnderTest button(100, 30, 6);
  button.host.system_colors[15] = RGB(1, 2, 3);
  button.button->SetColorButtonUp(kSystemButtonFace);
  button.button->SetColorBright(kSystemButtonFace);
  button.Paint(StateUp);
  EXPECT_EQ(button.Shown(50, 15), RGB(1, 2, 3));
  EXPECT_EQ(button.button->PlainColor(static_cast<int32_t>(0x800000FFu)), 0);  // black
  // The face's background is the host's button face colour from the start.
  const InspectedButton built(host);
  EXPECT_EQ(built.Picture1.BackColor(), RGB(1, 2, 3));
}

TEST(ButtonColors, ClampKeepsAValueInItsRange) {
  EXPECT_EQ(Clamp(5, 0, 3), 3);
  EXPECT_EQ(Clamp(-1, 0, 3), 0);
  EXPECT_EQ(Clamp(2, 0, 3), 2);
}

TEST(ButtonSchemes, APresetSetsTheFourColoursAndSurvivesThem) {
  ButtonUnderTest b(100, 30, 6);
  b.button->SetColorScheme(4);
  EXPECT_EQ(b.button->ColorButtonUp(), RGB(128, 0, 0));
  EXPECT_EQ(b.button->ColorButtonHover(), RGB(160, 0, 0));
  EXPECT_EQ(b.button->ColorButtonDown(), RGB(240, 0, 0));
  EXPECT_EQ(b.button->ColorBright(), RGB(255, 0, 0));
  EXPECT_EQ(b.button->ColorScheme(), 4);
  b.button->SetColorButtonUp(RGB(1, 2, 3));
  EXPECT_EQ(b.button->ColorScheme(), 0);
}

TEST(ButtonRedraw, CheckedAlwaysPaintsTheCheckedLook) {
  ButtonUnderTest b(100, 30, 6);
  b.button->SetColorButtonDown(RGB(200, 0, 0));
  b.button->SetChecked(true);
  int32_t state = StateHover;
  b.button->Redraw(state);
  EXPECT_EQ(state, StateChecked);  // the caller's variable is overwritten
  const Color checked = b.Shown(50, 15);
  b.button->SetChecked(false);
  b.Paint(StateDown);
  EXPECT_EQ(b.Shown(50, 15), checked);  // the checked look is the pressed colour
}

TEST(ButtonRedraw, AStyleOutsideTheSevenPaintsNoBodyAndNoShape) {
  ButtonUnderTest b(100, 30, 3);
  ASSERT_TRUE(b.button->Window().WindowRegion().has_value());
  b.button->SetStyle(9);
  EXPECT_FALSE(b.button->Window().WindowRegion().has_value());
  b.Paint(StateUp);
  const Color face = b.button->Picture1.BackColor();
  for (int y = 0; y < 30; y += 7) {
    for (int x = 0; x < 100; x += 9)
      ASSERT_EQ(b.Shown(x, y), face) << x << "," << y;
  }
  EXPECT_EQ(b.button->CornerRadius, 12);  // kept from the rounded style
}

TEST(ButtonRedraw, RepaintsPresentTheWholeFaceEachTime) {
  ButtonUnderTest b(60, 20, 2);
  const PictureRef first = b.button->Window().Picture();
  b.Paint(StateHover);
  const PictureRef second = b.button->Window().Picture();
  ASSERT_NE(first, second);
  EXPECT_EQ(second->width, 60);
  EXPECT_EQ(second->height, 20);
  EXPECT_NE(b.Shown(30, 10), static_cast<Color>(first->pixels[10 * 60 + 30] & 0xFFFFFF));
}

}  // namespace
}  // namespace starquill
