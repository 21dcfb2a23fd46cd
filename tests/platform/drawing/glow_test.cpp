#include "platform/drawing/glow.h"

#include <gtest/gtest.h>

namespace starquill {
namespace {

// The backdrop's brightest channel at a device pixel, after the next clear shows it.
int Light(Surface& s, int x, int y) {
  const Color c = s.DevicePixel(x, y);
  return std::max({RedOf(c), GreenOf(c), BlueOf(c)});
}

TEST(Glow, ABrightPointBleedsAHaloThatFallsOffWithDistanceAndGoesWithIt) {
  Surface sky(200, 120);
  sky.SetBackColor(RGB(0, 0, 0));
  sky.Cls();
  Glow glow;
  sky.PSet(100, 60, RGB(255, 255, 255));
  glow.Update(sky, RGB(0, 0, 0), 4);
  sky.Cls();
  EXPECT_GT(Light(sky, 101, 60), 0);
  EXPECT_GE(Light(sky, 101, 60), Light(sky, 106, 60));
  EXPECT_GT(Light(sky, 106, 60), Light(sky, 112, 60));
  EXPECT_EQ(Light(sky, 150, 60), 0);  // far off: nothing
  EXPECT_EQ(Light(sky, 100, 100), 0);
  // Nothing lit any more: the halo goes, and only the parts it covered are shown anew.
  sky.TakeChanges();
  glow.Update(sky, RGB(0, 0, 0), 4);
  sky.Cls();
  EXPECT_EQ(Light(sky, 101, 60), 0);
  const auto changes = sky.TakeChanges();
  ASSERT_FALSE(changes.empty());
  for (const Surface::DeviceRect& r : changes)
    EXPECT_LT(r.width * r.height, 200 * 120 / 2);
  // A sky light lights everything, under the halo too.
  sky.PSet(100, 60, RGB(255, 255, 255));
  glow.Update(sky, RGB(0, 0, 40), 4);
  sky.Cls();
  EXPECT_EQ(sky.DevicePixel(150, 100), RGB(0, 0, 40));
  EXPECT_GT(BlueOf(sky.DevicePixel(101, 60)), 40);
}

}  // namespace
}  // namespace starquill
