#include "platform/toolkit/placement.h"

#include <gtest/gtest.h>

namespace starquill {
namespace {

TEST(CentredPlace, CentresWhereItFitsAndKeepsTheTopLeftOnASmallScreen) {
  EXPECT_EQ(CentredPlace({0, 0, 1024, 768}, 597, 276), (Place{213, 246}));
  // A panel takes the top of the screen: centred in what is left.
  EXPECT_EQ(CentredPlace({0, 24, 1024, 744}, 597, 276), (Place{213, 258}));
  // Smaller than the window: its top-left corner stays on the screen.
  EXPECT_EQ(CentredPlace({0, 0, 320, 200}, 597, 276), (Place{0, 0}));
  EXPECT_EQ(CentredPlace({1920, 30, 320, 200}, 597, 276), (Place{1920, 30}));
  // Too narrow but tall enough: only the wide axis is pinned.
  EXPECT_EQ(CentredPlace({0, 0, 500, 1000}, 597, 276), (Place{0, 362}));
}

}  // namespace
}  // namespace starquill
