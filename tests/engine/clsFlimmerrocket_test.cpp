#include "engine/clsFlimmerrocket.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace starquill {
namespace {

constexpr Color kRed = RGB(255, 0, 0);

clsFlimmerrocket Rising(double speedY, int32_t count = 20) {
  clsFlimmerrocket r;
  r.PosX = 100;
  r.SpeedY = speedY;
  r.AccelY = -0.1;
  r.Color = RGB(0, 255, 0);
  r.Count = count;
  r.Power = 3;
  return r;
}

// Steps until the rocket bursts; returns the number of the bursting step, or 0.
int StepsToBurst(clsFlimmerrocket& r, int limit = 1000) {
  for (int n = 1; n <= limit; ++n) {
    r.step();
    if (r.Exploded) return n;
    if (r.Finished) return 0;
  }
  return 0;
}

Surface PixelCanvas() {
  Surface canvas(200, 200);
  canvas.SetBackColor(0);
  canvas.Cls();
  return canvas;
}

TEST(BurstRocketTiming, BurstsJustPastTheTopOfItsFlight) {
  clsFlimmerrocket five = Rising(5);
  EXPECT_EQ(StepsToBurst(five), 51);
  EXPECT_NEAR(five.PosY, 127.5, 1e-9);
  EXPECT_EQ(five.timeElapsed, 51);
  clsFlimmerrocket six = Rising(6);
  EXPECT_EQ(StepsToBurst(six), 61);
  EXPECT_NEAR(six.PosY, 183, 1e-9);
}

TEST(BurstRocketTiming, ASetTimeOrHeightReplacesTheTopOfFlight) {
  clsFlimmerrocket timed = Rising(5);
  timed.explodeTime = 10;
  EXPECT_EQ(StepsToBurst(timed), 10);

  clsFlimmerrocket high = Rising(5);
  high.explodeHeight = 50;
  EXPECT_EQ(StepsToBurst(high), 12);  // 5 + 4.9 + ... + 4.0 = 49.5 after 11 steps, 53.4 after 12
  EXPECT_GE(high.PosY, 50);

  clsFlimmerrocket both = Rising(5);  // whichever comes first
  both.explodeHeight = 50;
  both.explodeTime = 4;
  EXPECT_EQ(StepsToBurst(both), 4);
}

TEST(BurstRocketTiming, AHeightOutOfReachMeansNoBurstAtAll) {
  clsFlimmerrocket r = Rising(5);
  r.explodeHeight = 150;  // the top is at 127.5
  EXPECT_EQ(StepsToBurst(r), 0);
  EXPECT_TRUE(r.Finished);
  EXPECT_FALSE(r.Exploded);
  EXPECT_TRUE(r.Sparks().empty());
}

TEST(BurstRocketShower, StartsAtTheRocketWithHalfItsVelocity) {
  clsFlimmerrocket r = Rising(5, 300);
  r.SpeedX = 1;
  r.AccelX = 0.02;
  StepsToBurst(r);
  ASSERT_EQ(r.Sparks().size(), 300u);
  for (const clsFlimmer& s : r.Sparks()) {
    EXPECT_EQ(s.PosX, r.PosX);
    EXPECT_EQ(s.PosY, r.PosY);
    // The shower is a disc of radius Power around half the rocket's velocity.
    EXPECT_LE(std::hypot(s.SpeedX - r.SpeedX * 0.5, s.SpeedY - r.SpeedY * 0.5), 3 + 1e-12);
    EXPECT_DOUBLE_EQ(s.AccelX, 0.02 * 0.7);
    EXPECT_DOUBLE_EQ(s.AccelY, -0.1 * 0.3);
    EXPECT_LE(GreenOf(s.Color()), 255);
    EXPECT_GE(GreenOf(s.Color()), 191);
  }
}

TEST(BurstRocketShower, FiveDrawsPerSparkle) {
  clsFlimmerrocket r = Rising(5, 7);
  const RandomState before = SaveRandomState();
  r.explode();
  const RandomState after = SaveRandomState();
  RestoreRandomState(before);
  for (int i = 0; i < 5 * 7; ++i)
    Rnd();
  EXPECT_EQ(SaveRandomState(), after);
}

TEST(BurstRocketShower, IsDrawnInItsBurstTickUnmovedAndMovesOnTheNext) {
  clsFlimmerrocket r = Rising(0.05, 50);
  r.PosX = 100;
  r.PosY = 100;
  r.explodeTime = 1;
  Surface canvas = PixelCanvas();  // y grows downwards here; only positions matter
  r.step();
  ASSERT_TRUE(r.Exploded);
  r.Draw(canvas);
  for (const clsFlimmer& s : r.Sparks())
    EXPECT_EQ(s.PosY, r.PosY);
  const std::vector<clsFlimmer> born = r.Sparks();
  r.step();
  for (size_t i = 0; i < born.size(); ++i) {
    EXPECT_DOUBLE_EQ(r.Sparks()[i].PosX, born[i].PosX + born[i].SpeedX);
    EXPECT_DOUBLE_EQ(r.Sparks()[i].PosY, born[i].PosY + born[i].SpeedY);
  }
}

TEST(BurstRocketDraw, TheRedPointIsDrawnOverTheShowerUntilTheEnd) {
  clsFlimmerrocket r = Rising(0, 30);
  r.PosY = 50;
  r.Power = 0;  // every sparkle sits on the rocket's point
  r.explode();
  Surface canvas = PixelCanvas();
  r.Draw(canvas);
  EXPECT_EQ(canvas.Pixel(100, 50), kRed);
  r.Finished = true;
  Surface blank = PixelCanvas();
  r.Draw(blank);
  EXPECT_EQ(blank.Pixel(100, 50), 0);
}

bool AnySparkInTheAir(const clsFlimmerrocket& r) {
  return std::any_of(r.Sparks().begin(), r.Sparks().end(),
                     [](const clsFlimmer& s) { return s.PosY > 0; });
}

TEST(BurstRocketEnd, FinishedOnlyWhenDownAndNoSparkleIsInTheAir) {
  clsFlimmerrocket r = Rising(0, 40);
  r.PosY = 80;
  r.Power = 0.5;
  r.AccelY = 0;  // the sparkles hang in the air until they fade
  r.explode();
  r.AccelY = -0.1;
  r.PosY = -1;  // the point itself is down
  Surface canvas = PixelCanvas();
  int steps = 0, last_airborne = 0;
  while (!r.Finished && steps < 500) {
    if (AnySparkInTheAir(r)) last_airborne = steps;
    const std::vector<clsFlimmer> before = r.Sparks();
    r.step();
    ++steps;
    if (r.Finished) {
      EXPECT_FALSE(AnySparkInTheAir(r));
      EXPECT_EQ(r.Sparks()[0].PosX, before[0].PosX);  // nothing moved on the finishing step
    } else {
      r.Draw(canvas);
      EXPECT_LE(r.PosY, 0);  // the point stays at the ground line
    }
  }
  EXPECT_TRUE(r.Finished);
  EXPECT_GT(steps, 80);  // the sparkles faded for about 86 ticks
  EXPECT_LE(steps - last_airborne, 3);
}

TEST(BurstRocketEnd, ABurstOfNothingEndsWithTheRocket) {
  clsFlimmerrocket r = Rising(1, 0);
  r.explodeTime = 1;
  r.step();
  EXPECT_TRUE(r.Exploded);
  EXPECT_TRUE(r.Sparks().empty());
  r.Count = -5;
  r.explode();
  EXPECT_TRUE(r.Sparks().empty());
  for (int i = 0; i < 100 && !r.Finished; ++i)
    r.step();
  EXPECT_TRUE(r.Finished);
}

TEST(BurstRocketEnd, ACountRaisedAfterTheBurstWalksOnlyRealSparkles) {
  clsFlimmerrocket r = Rising(1, 3);
  r.PosY = 50;
  r.explode();
  r.Count = 1000;
  Surface canvas = PixelCanvas();
  r.step();
  r.Draw(canvas);
  EXPECT_EQ(r.Sparks().size(), 3u);
}

}  // namespace
}  // namespace starquill
