#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "controls/CandyButton.h"
#include "controls/round_shape.h"
#include "platform/drawing/region.h"
#include "tests/support/button_fixture.h"

namespace starquill {
namespace {

using testing::ButtonUnderTest;

bool Inside(int x, int y, int Wp, int Hp, int R) {
  return IsInsideRoundRect(x, y, 0, 0, Wp, Hp, R);
}

// Row y of a region from x = -1 to x = width, '#' for pixels in it.
std::string RowOf(const Region& region, int y, int width) {
  std::string row;
  for (int x = -1; x <= width; ++x)
    row += region.Contains(x, y) ? '#' : '.';
  return row;
}

// The same picture of a row that keeps x = first..width - 1 - first (nothing when first < 0).
std::string Kept(int first, int width) {
  std::string row;
  for (int x = -1; x <= width; ++x)
    row += first >= 0 && x >= first && x < width - first ? '#' : '.';
  return row;
}

// Checks a shape symmetric in both directions. first[d - 1] is the first kept x of the rows at
// distance d from the top or bottom edge; rows further in keep the last entry. The edge rows
// (d = 0) and the rows beyond the button are empty.
void ExpectRows(const ControlWindow& window, const std::vector<int>& first) {
  ASSERT_TRUE(window.WindowRegion().has_value());
  const Region& region = *window.WindowRegion();
  const int width = window.Width(), height = window.Height();
  for (int y = -1; y <= height; ++y) {
    const int d = std::min(y, height - 1 - y);
    const int kept =
        d <= 0 ? -1 : first[std::min<size_t>(static_cast<size_t>(d), first.size()) - 1];
    EXPECT_EQ(RowOf(region, y, width), Kept(kept, width)) << "row " << y;
    for (int x = -1; x <= width; ++x) {
      EXPECT_EQ(window.HitTest(x, y), region.Contains(x, y)) << x << "," << y;
    }
  }
}

// --- The inside test -------------------------------------------------------------------------

TEST(InsideTest, CornerExcludesDiameterRowEndsAndCircleTop) {
  for (int R = 0; R <= 20; ++R) {
    EXPECT_FALSE(IsInsideCorner(R, R, R)) << R;  // S = 0 on the diameter row
    EXPECT_FALSE(IsInsideCorner(-R, R, R)) << R;
    EXPECT_FALSE(IsInsideCorner(R + 1, R, R)) << R;  // beyond the circle
    EXPECT_FALSE(IsInsideCorner(0, 0, R)) << R;      // |Y - R| = R is never < S
    EXPECT_FALSE(IsInsideCorner(0, 2 * R, R)) << R;
    if (R > 0) {
      EXPECT_TRUE(IsInsideCorner(0, R, R)) << R;
    }
  }
}

TEST(InsideTest, BorderColumnsAndRowsAreOutside) {
  constexpr int X0 = 7, Y0 = -3;
  for (int Wd = 0; Wd <= 24; ++Wd) {
    for (int Ht = 0; Ht <= 24; ++Ht) {
      for (int R = 0; R <= 14; ++R) {
        const bool fits = R <= Wd && R < Ht;
        for (int v = 0; v <= Ht; ++v) {
          EXPECT_FALSE(IsInsideRoundRect(X0, Y0 + v, X0, Y0, Wd, Ht, R));
          if (fits) {
            EXPECT_FALSE(IsInsideRoundRect(X0 + Wd, Y0 + v, X0, Y0, Wd, Ht, R));
          }
        }
        for (int u = 0; u <= Wd; ++u) {
          EXPECT_FALSE(IsInsideRoundRect(X0 + u, Y0, X0, Y0, Wd, Ht, R));
          if (fits) {
            EXPECT_FALSE(IsInsideRoundRect(X0 + u, Y0 + Ht, X0, Y0, Wd, Ht, R));
          }
        }
      }
    }
  }
  // A top-left circle larger than the rectangle reaches past its far column and bottom row:
  // rule 2 is tried before rules 3 and 4.
  EXPECT_TRUE(Inside(5, 12, 5, 29, 12));
  EXPECT_TRUE(Inside(1, 5, 40, 5, 5));
}

// --- Regions of the styles -------------------------------------------------------------------

TEST(RoundRegion, Style3On100x30) {
  ButtonUnderTest b(100, 30, 3);
  EXPECT_EQ(b.button->CornerRadius, 12);
  ExpectRows(b.button->Window(), {9, 7, 5, 4, 3, 2, 2, 1});
}

TEST(RoundRegion, Style2On30HighIsAPillWithoutStraightEnds) {
  ButtonUnderTest b(80, 30, 2);
  EXPECT_EQ(b.button->CornerRadius, 15);
  // Column 1 is reached on 8 rows only; a straight edge would span rows 13 to 16 as well.
  ExpectRows(b.button->Window(), {12, 9, 7, 6, 5, 4, 3, 3, 2, 2, 1});
}

TEST(RoundRegion, ZeroRadiusDropsFirstRowAndColumn) {
  ButtonUnderTest b(40, 2, 6);  // R = min(2 div 3, 40 div 3) = 0; Hp = 1 leaves nothing
  EXPECT_EQ(b.button->CornerRadius, 0);
  ASSERT_TRUE(b.button->Window().WindowRegion().has_value());
  EXPECT_TRUE(b.button->Window().WindowRegion()->Empty());

  b.button->SetRoundRegion(20, 10, 0);
  ASSERT_TRUE(b.button->Window().WindowRegion().has_value());
  EXPECT_EQ(*b.button->Window().WindowRegion(), Region::Rectangle(1, 1, 20, 10));
}

TEST(RoundRegion, TopRowHalvesMeetWithoutOverlapForEvenAndOddWidths) {
  // Row 0 is outside everywhere: its two runs must cover it exactly once, or the exclusive-or
  // would bring the middle pixel back (overlap) or leave it (gap).
  ButtonUnderTest b(50, 20, 0);
  for (int Wp = 1; Wp <= 16; ++Wp) {
    for (int R : {0, 3}) {
      b.button->SetRoundRegion(Wp, 8, R);
      ASSERT_TRUE(b.button->Window().WindowRegion().has_value());
      EXPECT_EQ(RowOf(*b.button->Window().WindowRegion(), 0, Wp), std::string(Wp + 2, '.'))
          << "Wp " << Wp << " R " << R;
    }
  }
}

// Over a grid of sizes the region is the left half of the inside test (plus the middle column)
// mirrored onto the right. While 2R <= Wp + 2 no pixel right of the middle is decided by a left
// corner (rules 2 and 4), the inside test is itself mirror symmetric, and the region equals it.
TEST(RoundRegion, MatchesInsideTestOverSizeGrid) {
  ButtonUnderTest b(50, 50, 0);
  int asymmetric = 0;
  for (int Wp = 1; Wp <= 40; ++Wp) {
    for (int Hp : {1, 2, 3, 4, 5, 7, 10, 13, 17, 24, 29, 40}) {
      for (int R = 0; R <= 20; ++R) {
        b.button->SetRoundRegion(Wp, Hp, R);
        ASSERT_TRUE(b.button->Window().WindowRegion().has_value());
        const Region& region = *b.button->Window().WindowRegion();
        for (int y = -1; y <= Hp; ++y) {
          for (int x = -1; x <= Wp; ++x) {
            const bool within = x >= 0 && y >= 0 && x < Wp && y < Hp;
            const int left = x <= Wp / 2 ? x : Wp - x;
            ASSERT_EQ(region.Contains(x, y), within && Inside(left, y, Wp, Hp, R))
                << "mirror, Wp " << Wp << " Hp " << Hp << " R " << R << " at " << x << "," << y;
            const bool inside = within && Inside(x, y, Wp, Hp, R);
            if (2 * R <= Wp + 2) {
              ASSERT_EQ(region.Contains(x, y), inside)
                  << "inside, Wp " << Wp << " Hp " << Hp << " R " << R << " at " << x << "," << y;
            } else if (region.Contains(x, y) != inside) {
              ++asymmetric;
            }
          }
        }
      }
    }
  }
  // Style 3's radius on narrow buttons is among the sizes where the two differ.
  EXPECT_GT(asymmetric, 0);
}

// --- Style changes -------------------------------------------------------------------------

TEST(RoundRegion, XorRectTogglesPixels) {
  Region region = Region::Rectangle(0, 0, 10, 10);
  XorRectIntoRegion(region, 5, 4, 2, 3);  // corners in any order
  EXPECT_FALSE(region.Contains(2, 3));
  EXPECT_FALSE(region.Contains(4, 3));
  EXPECT_TRUE(region.Contains(5, 3));
  XorRectIntoRegion(region, 2, 3, 5, 4);
  EXPECT_EQ(region, Region::Rectangle(0, 0, 10, 10));
}

TEST(RoundRegion, Style0RemovesRegion) {
  ButtonUnderTest b(60, 24, 2);
  b.button->SetStyle(3);
  ASSERT_TRUE(b.button->Window().WindowRegion().has_value());
  b.button->SetStyle(0);
  EXPECT_FALSE(b.button->Window().WindowRegion().has_value());
  EXPECT_EQ(b.button->CornerRadius, 12);
  EXPECT_TRUE(b.button->Window().HitTest(0, 0));
}

TEST(RoundRegion, DegenerateSizesAreHarmless) {
  ButtonUnderTest b(10, 10, 0);
  for (const auto& [Wp, Hp, R] : std::vector<std::array<int32_t, 3>>{
           {0, 0, 0}, {0, 5, 2}, {5, 0, 2}, {-1, 4, 0}, {-7, -3, 2}, {6, 6, -4}, {3, 3, 40}}) {
    b.button->SetRoundRegion(Wp, Hp, R);
    EXPECT_EQ(b.button->CornerRadius, R);
    ASSERT_TRUE(b.button->Window().WindowRegion().has_value());
  }
}

}  // namespace
}  // namespace starquill
