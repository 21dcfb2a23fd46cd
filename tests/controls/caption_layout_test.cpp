// Where the caption and the picture go on the button face.

#include "controls/caption_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "tests/support/button_fixture.h"

namespace starquill {
namespace {

using testing::ButtonUnderTest;

TEST(CaptionLayout, PlacesByAlignment) {
  // A 100 x 30 button, no picture, a caption of 40 x 13 pixels.
  const auto above = PlaceIconAndCaption(0, 100, 30, 0, 0, 40, 13, 8);
  EXPECT_EQ(above.PY, 8);
  EXPECT_EQ(above.CX, 30);
  EXPECT_EQ(above.CY, 9);
  EXPECT_EQ(PlaceIconAndCaption(1, 100, 30, 0, 0, 40, 13, 8).CY, 9);
  EXPECT_EQ(PlaceIconAndCaption(2, 100, 30, 0, 0, 40, 13, 8).CY, 9);
  EXPECT_EQ(PlaceIconAndCaption(3, 100, 30, 0, 0, 40, 13, 8).CY, 9);

  const auto left = PlaceIconAndCaption(2, 100, 30, 16, 16, 40, 13, 8);
  EXPECT_EQ(left.PX, 8);
  EXPECT_EQ(left.PY, 7);
  EXPECT_EQ(left.CX, 30);  // the caption stays centred on the whole button
  EXPECT_EQ(PlaceIconAndCaption(3, 100, 30, 16, 16, 40, 13, 15).PX, 100 - 15 - 16);

  const auto below = PlaceIconAndCaption(1, 100, 60, 16, 16, 40, 13, 8);
  EXPECT_EQ(below.PX, 42);
  EXPECT_EQ(below.PY, (60 + 13 - 16) / 2);
  EXPECT_EQ(below.CY, 30 - 14);
  EXPECT_EQ(PlaceIconAndCaption(0, 100, 60, 16, 16, 40, 13, 8).PX, 43);

  EXPECT_FALSE(PlaceIconAndCaption(7, 100, 30, 16, 16, 40, 13, 8).placed);
}

TEST(CaptionLayout, ExtremeSizesArePlacedWithinRange) {
  // The widest measured caption lies right of any face, half its width away.
  EXPECT_EQ(PlaceIconAndCaption(2, 145, 33, 0, 0, 1 << 30, 2328, 8).CX, (1 << 29) - 72);
  // Sizes at the ends of the 32-bit range are held at its ends, not wrapped.
  for (int32_t alignment = 0; alignment < 4; ++alignment) {
    SCOPED_TRACE(alignment);
    const auto far = PlaceIconAndCaption(alignment, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN,
                                         INT32_MIN, INT32_MIN, INT32_MIN);
    EXPECT_GE(far.CX, 0);
    EXPECT_GE(far.CY, 0);
    EXPECT_GT(far.PY, 0);
    const auto back = PlaceIconAndCaption(alignment, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX,
                                          INT32_MAX, INT32_MAX, INT32_MAX);
    EXPECT_GE(back.CX, 0);
    EXPECT_LT(back.PY, 0);
  }
}

// A 4 x 4 opaque red picture.
PictureRef RedSquare() {
  auto p = std::make_shared<Bitmap>();
  p->width = p->height = 4;
  p->pixels.assign(16, 0xFF0000FFu);
  return p;
}

// The top-left corner of the red picture on the shown face.
std::pair<int, int> RedAt(const ButtonUnderTest& b) {
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (b.Shown(x, y) == RGB(255, 0, 0)) return {x, y};
    }
  }
  return {-1, -1};
}

TEST(CaptionLayout, ThePictureSinksByAPixelOnlyWhilePressed) {
  ButtonUnderTest b(100, 30, 0);
  b.button->SetPictureAlignment(2);
  b.button->SetPicture(RedSquare());
  b.Paint(StateUp);
  EXPECT_EQ(RedAt(b), std::make_pair(8, 13));  // no rounded style yet: the margin is 8
  b.Paint(StateDown);
  EXPECT_EQ(RedAt(b), std::make_pair(9, 14));
  b.button->SetChecked(true);
  b.Paint(StateDown);
  EXPECT_EQ(RedAt(b), std::make_pair(8, 13));
}

TEST(CaptionLayout, TheMarginIsKeptFromAnEarlierRoundedStyle) {
  ButtonUnderTest b(100, 30, 0);
  b.button->SetPictureAlignment(2);
  b.button->SetPicture(RedSquare());
  b.button->SetStyle(3);
  b.button->SetStyle(0);
  b.Paint(StateUp);
  EXPECT_EQ(RedAt(b), std::make_pair(12, 13));
}

TEST(CaptionLayout, TheCaptionIsPrintedInTheForeColourCentred) {
  ButtonUnderTest b(100, 30, 1);  // flat: the face shows only the container's colour
  b.button->SetForeColor(RGB(0, 0, 255));
  b.button->SetCaption("Start");
  b.Paint(StateUp);
  int left = 100, right = -1, top = 30, bottom = -1;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (b.Shown(x, y) == RGB(236, 233, 216)) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  const int tw = static_cast<int>(b.button->Picture1.TextWidth("Start"));
  ASSERT_GE(right, left);
  EXPECT_NEAR((left + right) / 2.0, 50, 2);
  EXPECT_GE(left, 50 - tw / 2);
  EXPECT_NEAR((top + bottom) / 2.0, 15, 3);
}

TEST(CaptionLayout, NeitherCaptionNorPictureShowsJustTheFace) {
  ButtonUnderTest b(100, 30, 1);
  b.Paint(StateUp);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 100; ++x)
      ASSERT_EQ(b.Shown(x, y), RGB(236, 233, 216));
  }
}

}  // namespace
}  // namespace starquill
