#include "engine/clsFlimmer.h"

#include <gtest/gtest.h>

namespace starquill {

// Reaches the sparkle's private state.
struct SparkleInternals {
  static void SetStoredColor(clsFlimmer& s, int32_t color) { s.m_Color = color; }
  static int32_t Age(const clsFlimmer& s) { return s.m_Age; }
};

namespace {

constexpr Color kBlack = 0;

Surface BlackPixels(int w, int h) {
  Surface s(w, h);
  s.SetBackColor(kBlack);
  s.Cls();
  return s;
}

clsFlimmer SparkleAt(double x, double y, int32_t storedColor) {
  clsFlimmer s;
  s.PosX = x;
  s.PosY = y;
  SparkleInternals::SetStoredColor(s, storedColor);
  return s;
}

TEST(SparkleColor, EachChannelMovesByAtMost64AndIsClipped) {
  RestoreRandomState(InitialRandomState());
  int lowest_red = 255, highest_green = 0;
  for (int i = 0; i < 2000; ++i) {
    clsFlimmer s;
    s.SetColor(0x0000FF);
    const int32_t c = s.Color();
    ASSERT_GE(RedOf(c), 191);
    ASSERT_LE(GreenOf(c), 64);
    ASSERT_LE(BlueOf(c), 64);
    ASSERT_EQ(c & ~0xFFFFFF, 0);
    lowest_red = std::min(lowest_red, RedOf(c));
    highest_green = std::max(highest_green, GreenOf(c));
  }
  EXPECT_LE(lowest_red, 193);
  EXPECT_GE(highest_green, 62);
}

TEST(SparkleColor, UsesThreeDrawsAndVariesFromCallToCall) {
  RestoreRandomState(InitialRandomState());
  clsFlimmer a, b;
  a.SetColor(RGB(100, 100, 100));
  b.SetColor(RGB(100, 100, 100));
  EXPECT_NE(a.Color(), b.Color());

  const RandomState before = SaveRandomState();
  a.SetColor(0);
  const RandomState after = SaveRandomState();
  RestoreRandomState(before);
  Rnd(), Rnd(), Rnd();
  EXPECT_EQ(SaveRandomState(), after);
}

TEST(SparkleStep, MovesWithLastTicksSpeedThenKeepsNinetyPercent) {
  clsFlimmer s = SparkleAt(10, 50, 0xFF);
  s.SpeedX = 1;
  s.SpeedY = 2;
  s.AccelX = 0.5;
  s.AccelY = -0.1;
  s.step();
  EXPECT_EQ(s.PosX, 11);
  EXPECT_EQ(s.PosY, 52);
  EXPECT_EQ(SparkleInternals::Age(s), 1);
  EXPECT_NEAR(s.SpeedX, 1.5 * 0.9, 0.045 * 0.9 + 1e-12);
  EXPECT_NEAR(s.SpeedY, 1.9 * 0.9, 0.045 * 0.9 + 1e-12);
  EXPECT_NE(s.SpeedX, 1.5 * 0.9);  // jittered
}

TEST(SparkleDraw, ANewSparkleFlaresWithChannelsCapped) {
  Surface canvas = BlackPixels(10, 10);
  clsFlimmer s = SparkleAt(5, 5, RGB(40, 20, 0));
  s.Draw(canvas);  // age 0: 40 and 20 times 1.1^20 = 6.7275
  EXPECT_EQ(canvas.Pixel(5, 5), RGB(255, 135, 0));
}

TEST(SparkleDraw, FinishesInTheDrawAfterTheEightySixthMove) {
  Surface canvas = BlackPixels(10, 10);
  clsFlimmer s = SparkleAt(5, 1e6, 0x0000FF);  // far up: it never lands
  for (int tick = 1; tick <= 85; ++tick) {
    s.step();
    s.Draw(canvas);
    ASSERT_FALSE(s.Finished()) << "tick " << tick;
  }
  s.step();
  s.Draw(canvas);
  EXPECT_TRUE(s.Finished());
  EXPECT_EQ(s.PosY, 0);
}

TEST(SparkleGround, FallingBelowTheGroundIsFinalAndDrawnOnceMore) {
  Surface sky = BlackPixels(20, 20);
  sky.SetScaleTop(20);
  sky.SetScaleHeight(-20);
  clsFlimmer s = SparkleAt(5, 0.5, 0xFF);
  s.SpeedX = 0.25;
  s.SpeedY = -1;
  s.step();
  EXPECT_EQ(s.PosY, -0.5);
  EXPECT_TRUE(s.Finished());
  s.Draw(sky);  // below the bottom edge: clipped, no error
  EXPECT_EQ(s.PosY, -0.5);

  const double x = s.PosX;
  s.step();
  EXPECT_EQ(s.PosY, 0);
  EXPECT_EQ(s.SpeedX, 0);
  EXPECT_EQ(s.SpeedY, 0);
  EXPECT_EQ(s.PosX, x);
  EXPECT_EQ(SparkleInternals::Age(s), 1);
  for (int i = 0; i < 10; ++i)
    s.step();
  EXPECT_EQ(s.PosY, 0);  // never rises again
}

TEST(SparkleGround, ASparkleStartingOnTheGroundIsPaintedAtItsStartPoint) {
  Surface canvas = BlackPixels(10, 10);  // pixel units: y = 0 is the top row
  clsFlimmer s = SparkleAt(3, 0, RGB(0, 0, 200));
  s.SpeedX = 2;
  s.SpeedY = 5;
  EXPECT_TRUE(s.Finished());
  s.step();
  EXPECT_EQ(s.SpeedX, 0);
  EXPECT_EQ(s.SpeedY, 0);
  EXPECT_EQ(s.PosX, 3);
  s.Draw(canvas);
  EXPECT_NE(canvas.Pixel(3, 0), kBlack);
  EXPECT_TRUE(s.Finished());
}

TEST(SparkleGround, ABlackSparkleIsFinishedAtItsFirstDraw) {
  Surface canvas = BlackPixels(10, 10);
  clsFlimmer s = SparkleAt(3, 4, 0);
  s.Draw(canvas);
  EXPECT_TRUE(s.Finished());
}

}  // namespace
}  // namespace starquill
