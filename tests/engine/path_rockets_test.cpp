// The three path kinds: the plain path rocket, the spin path rocket and the spin-back path
// rocket share their flight and differ in how and when they shed their trails.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/clsFlimmerpathrocket.h"
#include "engine/clsFlimmerspinbackpathrocket.h"
#include "engine/clsFlimmerspinpathrocket.h"

namespace starquill {
namespace {

template <typename Rocket>
Rocket Launched(double x, double speedX, double speedY) {
  Rocket r;
  r.PosX = x;
  r.SpeedX = speedX;
  r.SpeedY = speedY;
  r.AccelY = -0.1;
  r.Color = RGB(0, 0, 255);
  return r;
}

Surface Canvas() {
  Surface canvas(100, 100);
  canvas.SetBackColor(0);
  canvas.Cls();
  return canvas;
}

template <typename Rocket>
bool AnyInTheAir(const Rocket& r) {
  return std::any_of(r.Sparkles().begin(), r.Sparkles().end(),
                     [](const clsFlimmer& s) { return s.PosY > 0; });
}

TEST(PathEmission, ShedsWhileClimbingUntilFallingAtTwoUnitsPerTick) {
  EXPECT_EQ(ClimbingEmission(5, 10), 70);
  EXPECT_EQ(ClimbingEmission(0, 10), 20);
  EXPECT_EQ(ClimbingEmission(-1.75, 10), 2);  // 2.5 rounds to even
  EXPECT_EQ(ClimbingEmission(-1.25, 10), 8);  // 7.5 rounds to even
  EXPECT_EQ(ClimbingEmission(-1.96, 10), 0);  // 0.4
  EXPECT_EQ(ClimbingEmission(-2, 10), 0);     // strict
  EXPECT_EQ(ClimbingEmission(3, 0), 0);       // strict: nothing on the ground line
}

TEST(PathEmission, SpinBackShedsOnlyOnTheWayDownAboveTen) {
  EXPECT_EQ(FallingEmission(0.01, 150), 0);  // however high, not while rising
  EXPECT_EQ(FallingEmission(0, 150), 0);     // the top of the arc
  EXPECT_EQ(FallingEmission(-2.5, 13), 2);   // 1.5 rounds to even
  EXPECT_EQ(FallingEmission(-1.25, 12), 0);  // 0.5 rounds to even
  EXPECT_EQ(FallingEmission(-2.5, 60), 25);
  EXPECT_EQ(FallingEmission(-2.5, 10), 0);  // strict
}

TEST(PathRocket, AHeadOnTheGroundLineTakesOff) {
  auto r = Launched<clsFlimmerpathrocket>(400, 1, 5.5);
  r.step();
  EXPECT_EQ(r.PosX, 401);
  EXPECT_EQ(r.PosY, 5.5);
  EXPECT_DOUBLE_EQ(r.SpeedY, 5.4);
  ASSERT_EQ(r.Sparkles().size(), 74u);
  for (const clsFlimmer& s : r.Sparkles()) {
    EXPECT_EQ(s.PosX, 401);  // at the head after its move
    EXPECT_EQ(s.PosY, 5.5);
    EXPECT_LT(std::hypot(s.SpeedX, s.SpeedY), 1);
    EXPECT_EQ(s.AccelX, 0);
    EXPECT_DOUBLE_EQ(s.AccelY, -0.04);
  }
}

TEST(PathRocket, EachSparkleDrawsItsDirectionThenItsSpeed) {
  auto r = Launched<clsFlimmerpathrocket>(50, 0, 0);
  r.PosY = 50;
  const RandomState before = SaveRandomState();
  r.sparkle(1);
  RestoreRandomState(before);
  const double direction = Rnd() * 2 * std::numbers::pi;
  const double speed = Rnd();
  const clsFlimmer& s = r.Sparkles()[0];
  EXPECT_NEAR(std::hypot(s.SpeedX, s.SpeedY), speed, 1e-12);
  EXPECT_NEAR(std::remainder(std::atan2(s.SpeedY, s.SpeedX) - direction, 2 * std::numbers::pi), 0,
              1e-9);
  r.sparkle(0);
  r.sparkle(-3);
  EXPECT_EQ(r.Sparkles().size(), 1u);
}

TEST(PathRocket, StartingBelowTheGroundWithoutTrailEndsAtOnce) {
  auto r = Launched<clsFlimmerpathrocket>(50, 1, 5);
  r.PosY = -0.5;
  r.step();
  EXPECT_TRUE(r.Finished);
  Surface canvas = Canvas();
  r.Draw(canvas);
  EXPECT_EQ(canvas.Pixel(50, 0), 0);
}

TEST(PathRocket, GroundedItWaitsForItsTrailThenEndsWithoutMoving) {
  auto r = Launched<clsFlimmerpathrocket>(50, 0, 3);
  Surface canvas = Canvas();
  int steps = 0;
  bool grounded_with_trail_drawn = false;
  while (!r.Finished && steps < 2000) {
    const bool parking = r.PosY < 0;
    const bool airborne = AnyInTheAir(r);
    const std::vector<clsFlimmer> before = r.Sparkles();
    r.step();
    ++steps;
    if (parking && !airborne) {
      EXPECT_TRUE(r.Finished);
      EXPECT_EQ(r.Sparkles().size(), before.size());
      for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(r.Sparkles()[i].PosY, before[i].PosY);
    } else {
      EXPECT_FALSE(r.Finished);
    }
    if (parking && airborne) {
      EXPECT_EQ(r.PosY, 0);                           // parked, sparkles moving on
      EXPECT_EQ(r.Sparkles().size(), before.size());  // nothing shed on the ground
      r.Draw(canvas);
      grounded_with_trail_drawn = canvas.Pixel(50, 0) == RGB(255, 0, 0);
    }
  }
  EXPECT_TRUE(r.Finished);
  EXPECT_TRUE(grounded_with_trail_drawn);  // the head shows at the ground line meanwhile
}

TEST(SpinPathRocket, LaysItsSparklesAlongTheStretchAndSwingsThemSideways) {
  clsFlimmerspinpathrocket r;
  r.PosX = 10;
  r.PosY = 20;
  r.SpeedY = 3;  // straight up, after this tick's move
  r.SpinAngle = 7.854;
  r.sparkle(2);
  ASSERT_EQ(r.Sparkles().size(), 2u);
  const double a1 = std::sin(1 / 7.854), a2 = std::sin(2 / 7.854);
  const clsFlimmer& first = r.Sparkles()[0];
  EXPECT_DOUBLE_EQ(first.SpeedX, a1);  // thrown purely sideways
  EXPECT_DOUBLE_EQ(first.SpeedY, 0);
  EXPECT_DOUBLE_EQ(first.PosX, 10 + a1 / 2);  // laid at (10, 18.5), then half a tick on
  EXPECT_DOUBLE_EQ(first.PosY, 18.5);
  const clsFlimmer& second = r.Sparkles()[1];
  EXPECT_DOUBLE_EQ(second.SpeedX, a2);
  EXPECT_EQ(second.PosX, 10);  // at the head, not moved
  EXPECT_EQ(second.PosY, 20);

  r.sparkle(1);  // the swing goes on with the trail's length
  EXPECT_DOUBLE_EQ(r.Sparkles()[2].SpeedX, std::sin(3 / 7.854));
  EXPECT_EQ(r.Sparkles()[2].PosX, 10);
}

TEST(SpinPathRocket, TheSwingChangesSidesAlongTheTrail) {
  clsFlimmerspinpathrocket r;
  r.PosY = 50;
  r.SpeedY = 2;
  r.SpeedX = 1;
  r.AccelX = 0.01;
  r.AccelY = -0.1;
  r.SpinAngle = 10;
  r.sparkle(63);
  for (size_t i = 0; i < r.Sparkles().size(); ++i) {
    const clsFlimmer& s = r.Sparkles()[i];
    const double a = std::sin((i + 1) / 10.0);
    EXPECT_NEAR(std::hypot(s.SpeedX, s.SpeedY), std::abs(a), 1e-12);
    EXPECT_EQ(s.SpeedX > 0, a > 0);  // left and right alternate with the sine
    EXPECT_DOUBLE_EQ(s.AccelX, 0.015);
    EXPECT_DOUBLE_EQ(s.AccelY, -0.04);
  }
}

TEST(SpinPathRocket, DrawsNoRandomNumbersOfItsOwn) {
  clsFlimmerspinpathrocket a, b;
  for (auto* r : {&a, &b}) {
    r->PosX = 30;
    r->PosY = 40;
    r->SpeedX = 0.7;
    r->SpeedY = 2.2;
    r->SpinAngle = 55;
    r->sparkle(9);
  }
  for (size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(a.Sparkles()[i].PosX, b.Sparkles()[i].PosX);
    EXPECT_EQ(a.Sparkles()[i].SpeedY, b.Sparkles()[i].SpeedY);
  }
  const RandomState before = SaveRandomState();
  a.sparkle(4);
  const RandomState after = SaveRandomState();
  RestoreRandomState(before);
  for (int i = 0; i < 4 * 3; ++i)
    Rnd();  // only the colours' draws
  EXPECT_EQ(SaveRandomState(), after);
}

TEST(SpinPathRocket, NoSwingAndNoSpeedNeverMakeNaN) {
  clsFlimmerspinpathrocket still;
  still.PosX = 5;
  still.PosY = 5;
  still.SpinAngle = 20;
  still.sparkle(3);  // a head standing still: no speed to turn
  clsFlimmerspinbackpathrocket unwound;
  unwound.PosX = 5;
  unwound.PosY = 50;
  unwound.SpeedY = -2;
  unwound.sparkle(3);  // SpinAngle 0: no swing
  for (const auto* trail : {&still.Sparkles(), &unwound.Sparkles()}) {
    for (const clsFlimmer& s : *trail) {
      EXPECT_TRUE(std::isfinite(s.PosX) && std::isfinite(s.PosY));
      EXPECT_EQ(s.SpeedX, 0);
      EXPECT_EQ(s.SpeedY, 0);
    }
  }
  EXPECT_EQ(unwound.Sparkles()[0].PosY, 50 + 2 - 2.0 / 3);  // still laid along the stretch
}

TEST(SpinPathRocket, ShedsAtThePathRocketsRate) {
  clsFlimmerspinpathrocket r;
  r.PosY = 30;
  r.SpeedY = -1.65;
  r.AccelY = -0.1;
  r.SpinAngle = 30;
  r.step();  // -1.75 after the move
  EXPECT_EQ(r.Sparkles().size(), 2u);
}

TEST(SpinBackPathRocket, ClimbsBareAndShedsWhileFalling) {
  auto r = Launched<clsFlimmerspinbackpathrocket>(50, 0, 5.5);
  r.SpinAngle = 100;
  do {
    r.step();
    if (r.SpeedY > 0) {
      ASSERT_TRUE(r.Sparkles().empty()) << "shed while climbing";
    }
  } while (r.SpeedY > 0);
  size_t shed = 0;
  while (!r.Finished) {
    r.step();
    if (r.PosY <= 10) {
      EXPECT_EQ(r.Sparkles().size(), shed);
    }
    shed = r.Sparkles().size();
  }
  EXPECT_GT(shed, 1000u);
}

TEST(SpinBackPathRocket, AnArcToppingOutAtTenNeverSheds) {
  auto r = Launched<clsFlimmerspinbackpathrocket>(50, 0, 1.27);  // tops out below 9
  r.SpinAngle = 100;
  int steps = 0;
  while (!r.Finished) {
    r.step();
    ++steps;
  }
  EXPECT_TRUE(r.Sparkles().empty());
  EXPECT_EQ(steps, 28);  // below the ground after step 27, finished on the next
}

}  // namespace
}  // namespace starquill
