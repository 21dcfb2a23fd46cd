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

TEST(CentredPlace, APartThatMustBeSeenComesOnScreenEvenIfTheRestGoesOff) {
  const Area start{228, 228, 145, 33};  // a splash's button, in the splash window
  // Where it fits, the part changes nothing.
  EXPECT_EQ(CentredPlace({0, 0, 1024, 768}, 597, 276, start), (Place{213, 246}));
  // On a small screen the window goes up and left as far as brings the button fully on it.
  EXPECT_EQ(CentredPlace({0, 0, 320, 200}, 597, 276, start), (Place{-53, -61}));
  EXPECT_EQ(CentredPlace({1920, 30, 320, 200}, 597, 276, start), (Place{1867, -31}));
  // A part larger than the screen shows its top-left corner.
  EXPECT_EQ(CentredPlace({0, 0, 100, 20}, 597, 276, start), (Place{-228, -228}));
}

}  // namespace
}  // namespace starquill
