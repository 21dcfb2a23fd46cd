#include "engine/clsFlimmerMultiRocket.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace starquill {
namespace {

clsFlimmerMultiRocket Carrier(double speedY, int32_t rocketCount = 8) {
  clsFlimmerMultiRocket m;
  m.PosX = 100;
  m.SpeedY = speedY;
  m.AccelY = -0.1;
  m.Color = RGB(255, 0, 255);
  m.Count = 700;
  m.RocketCount = rocketCount;
  m.Power = 3;
  return m;
}

int StepsToBurst(clsFlimmerMultiRocket& m) {
  for (int n = 1; n <= 1000 && !m.Finished; ++n) {
    m.step();
    if (m.Exploded) return n;
  }
  return 0;
}

TEST(MultiRocketBurst, ComesOnTheFirstStepFallingAndNotAtAStandstill) {
  clsFlimmerMultiRocket m = Carrier(0.5);
  m.AccelY = -0.5;
  m.step();  // ends with SpeedY exactly 0
  EXPECT_FALSE(m.Exploded);
  m.step();
  EXPECT_TRUE(m.Exploded);
  EXPECT_EQ(m.timeElapsed, 2);

  clsFlimmerMultiRocket launched = Carrier(5);
  EXPECT_EQ(StepsToBurst(launched), 51);
}

TEST(MultiRocketBurst, ASetHeightOrTimeReplacesTheTopOfTheArc) {
  clsFlimmerMultiRocket high = Carrier(6);
  high.explodeHeight = 50;
  EXPECT_EQ(StepsToBurst(high), 9);  // 6 + 5.9 + ... + 5.2 = 50.4, still climbing fast
  EXPECT_GT(high.SpeedY, 5);

  clsFlimmerMultiRocket timed = Carrier(6);
  timed.explodeTime = 3;
  EXPECT_EQ(StepsToBurst(timed), 3);
  EXPECT_EQ(timed.timeElapsed, 3);

  clsFlimmerMultiRocket short_of_it = Carrier(3);  // tops out near 46
  short_of_it.explodeHeight = 50;
  EXPECT_EQ(StepsToBurst(short_of_it), 0);
  EXPECT_TRUE(short_of_it.Finished);
  EXPECT_TRUE(short_of_it.Rockets().empty());
}

TEST(MultiRocketBurst, FansItsRocketsEvenlyAroundTheCircle) {
  clsFlimmerMultiRocket m = Carrier(0, 4);
  m.PosY = 120;
  m.AccelY = 0;
  m.Power = 30;  // a base speed far above the jitter, so no rocket flies backwards
  RestoreRandomState(InitialRandomState());
  m.explode();
  ASSERT_EQ(m.Rockets().size(), 4u);
  for (int i = 1; i <= 4; ++i) {
    const clsFlimmerrocket& r = m.Rockets()[i - 1];
    const double angle = std::atan2(r.SpeedY, r.SpeedX);
    const double expected = i * std::numbers::pi / 2;  // up, left, down, right
    EXPECT_NEAR(std::remainder(angle - expected, 2 * std::numbers::pi), 0,
                0.05 * std::numbers::pi / 4 + 1e-12);
  }
}

TEST(MultiRocketBurst, HandsOnHalfItsSpeedHalfItsCountAThirdOfItsPower) {
  clsFlimmerMultiRocket m = Carrier(-0.05, 9);
  m.PosY = 140;
  m.SpeedX = 2;
  m.AccelX = 0.01;
  m.Count = 700;
  m.explode();
  ASSERT_EQ(m.Rockets().size(), 9u);
  double low = 1e9, high = -1e9;
  int32_t earliest = 1000, latest = 0;
  for (const clsFlimmerrocket& r : m.Rockets()) {
    EXPECT_EQ(r.PosX, 100);
    EXPECT_EQ(r.PosY, 140);
    EXPECT_DOUBLE_EQ(r.AccelX, 0.007);
    EXPECT_DOUBLE_EQ(r.AccelY, -0.03);
    EXPECT_EQ(r.Count, 350);
    EXPECT_EQ(r.Power, 1);
    EXPECT_EQ(r.Color, m.Color);
    EXPECT_EQ(r.explodeHeight, 0);
    EXPECT_FALSE(r.Exploded);
    // The speed is s in direction a, plus half the carrier's (1, -0.025).
    const double s = std::hypot(r.SpeedX - 1, r.SpeedY + 0.025);
    low = std::min(low, s);
    high = std::max(high, s);
    EXPECT_LT(s, 3.05);
    earliest = std::min<int32_t>(earliest, static_cast<int32_t>(r.explodeTime));
    latest = std::max<int32_t>(latest, static_cast<int32_t>(r.explodeTime));
  }
  EXPECT_LE(high - low, 0.1 + 1e-12);  // one base speed for all, give or take 0.05
  EXPECT_GE(earliest, 8);
  EXPECT_LE(latest, 17);
  EXPECT_LE(latest - earliest, 2);  // e, e + 1 or e + 2 with one common e
}

TEST(MultiRocketBurst, HalvesTheCountRoundingHalvesToEven) {
  for (const auto& [count, half] : {std::pair{601, 300}, {603, 302}, {700, 350}}) {
    clsFlimmerMultiRocket m = Carrier(1, 2);
    m.Count = count;
    m.explode();
    EXPECT_EQ(m.Rockets()[0].Count, half);
  }
}

TEST(MultiRocketBurst, NewRocketsAreDrawnAtTheCarrierUnmoved) {
  clsFlimmerMultiRocket m = Carrier(5);
  StepsToBurst(m);
  for (const clsFlimmerrocket& r : m.Rockets()) {
    EXPECT_EQ(r.PosX, m.PosX);
    EXPECT_EQ(r.PosY, m.PosY);
    EXPECT_EQ(r.timeElapsed, 0);
  }
  Surface canvas(300, 300);
  m.Draw(canvas);
  m.step();
  for (const clsFlimmerrocket& r : m.Rockets())
    EXPECT_EQ(r.timeElapsed, 1);
}

TEST(MultiRocketEnd, LastsWhileItsHeadIsUpOrAnyRocketIsGoing) {
  clsFlimmerMultiRocket m = Carrier(0, 3);
  m.PosY = 60;
  m.explode();
  m.AccelY = 0;  // the head hangs in the air while its rockets come down
  Surface sky(200, 200);
  for (int i = 0; i < 400; ++i) {
    m.step();
    m.Draw(sky);  // sparkles fade as they are drawn
  }
  EXPECT_TRUE(std::all_of(m.Rockets().begin(), m.Rockets().end(),
                          [](const clsFlimmerrocket& r) { return r.Finished; }));
  EXPECT_FALSE(m.Finished);  // the head is still up

  m.PosY = -1;
  m.step();
  EXPECT_TRUE(m.Finished);
  Surface canvas(200, 200);
  canvas.SetBackColor(0);
  canvas.Cls();
  m.Draw(canvas);
  EXPECT_EQ(canvas.Pixel(100, 0), 0);  // a finished firework draws nothing
}

TEST(MultiRocketEnd, ARocketStillGoingKeepsItAlive) {
  clsFlimmerMultiRocket m = Carrier(0, 3);
  m.PosY = 60;
  m.explode();
  m.PosY = -1;
  m.step();
  EXPECT_FALSE(m.Finished);
  EXPECT_EQ(m.PosY, 0);
  EXPECT_EQ(m.Rockets()[0].timeElapsed, 1);  // stepped without the head moving
}

TEST(MultiRocketEnd, NoRocketCountMeansAnEmptyBurst) {
  for (const int32_t count : {0, -4}) {
    clsFlimmerMultiRocket m = Carrier(1, count);
    m.PosY = 10;
    m.explode();
    EXPECT_TRUE(m.Exploded);
    EXPECT_TRUE(m.Rockets().empty());
    for (int i = 0; i < 200 && !m.Finished; ++i)
      m.step();
    EXPECT_TRUE(m.Finished);
  }
}

}  // namespace
}  // namespace starquill
