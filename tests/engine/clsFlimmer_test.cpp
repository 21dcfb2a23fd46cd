#include "engine/clsFlimmer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <vector>

#include "bench/reference_sparkle.h"

namespace starquill {

// Reaches the protected state of a sparkle, this kernel's or the old one's: the member
// pointers are named through a derived type and applied to any sparkle.
template <typename Sparkle>
struct SparkleState : Sparkle {
  static void SetStoredColor(Sparkle& s, int32_t color) { s.*(&SparkleState::m_Color) = color; }
  static void SetAge(Sparkle& s, int32_t age) { s.*(&SparkleState::m_Age) = age; }
  static int32_t Age(const Sparkle& s) { return s.*(&SparkleState::m_Age); }
  // Every field, bit for bit.
  static std::array<uint64_t, 7> Bits(const Sparkle& s) {
    return {std::bit_cast<uint64_t>(s.PosX),
            std::bit_cast<uint64_t>(s.PosY),
            std::bit_cast<uint64_t>(s.SpeedX),
            std::bit_cast<uint64_t>(s.SpeedY),
            std::bit_cast<uint64_t>(s.AccelX),
            std::bit_cast<uint64_t>(s.AccelY),
            static_cast<uint64_t>(static_cast<uint32_t>(s.Color())) << 32 |
                static_cast<uint32_t>(Age(s))};
  }
};
using SparkleAccess = SparkleState<clsFlimmer>;
using ReferenceAccess = SparkleState<ReferenceSparkle>;

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
  SparkleAccess::SetStoredColor(s, storedColor);
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
  EXPECT_EQ(SparkleAccess::Age(s), 1);
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

TEST(SparkleBetween, DrawnBetweenTicksWhereItIsHeadedAndChangingNothing) {
  Surface canvas = BlackPixels(40, 40);
  clsFlimmer s = SparkleAt(10, 10, RGB(100, 60, 20));
  SparkleAccess::SetAge(s, 30);
  s.SpeedX = 8;
  s.SpeedY = 4;
  const auto before = SparkleAccess::Bits(s);
  // At the tick's own moment: what Draw draws.
  s.DrawBetween(canvas, InBetween(0));
  Surface drawn = BlackPixels(40, 40);
  clsFlimmer copy = s;
  copy.Draw(drawn);
  EXPECT_EQ(canvas.Pixel(10, 10), drawn.Pixel(10, 10));
  // Half a tick on: halfway along its speed, between the tick's fade and the next one's.
  Surface half = BlackPixels(40, 40);
  s.DrawBetween(half, InBetween(0.5));
  const Color now = half.Pixel(14, 12);
  EXPECT_LT(RedOf(now), RedOf(drawn.Pixel(10, 10)));
  copy.step();
  Surface next = BlackPixels(40, 40);
  copy.Draw(next);
  EXPECT_GT(RedOf(now),
            RedOf(next.Pixel(static_cast<int>(copy.PosX), static_cast<int>(copy.PosY))));
  EXPECT_EQ(SparkleAccess::Bits(s), before);
  // A sparkle that has faded to black by then is left out, and stays in the air.
  clsFlimmer dying = SparkleAt(20, 20, RGB(1, 0, 0));
  SparkleAccess::SetAge(dying, 27);  // 1 / 1.1^7 rounds to 1; at 27.9 to 0
  Surface late = BlackPixels(40, 40);
  late.SetBackColor(RGB(9, 9, 9));
  late.Cls();
  dying.DrawBetween(late, InBetween(0.9));
  EXPECT_EQ(late.Pixel(20, 20), RGB(9, 9, 9));
  EXPECT_FALSE(dying.Finished());
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
  EXPECT_EQ(SparkleAccess::Age(s), 1);
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

// The batch kernel against the old one-at-a-time kernel (bench/reference_sparkle.h).

using Shower = std::vector<clsFlimmer>;
using ReferenceShower = std::vector<ReferenceSparkle>;

double Between(double low, double high) {
  return low + (high - low) * Rnd();
}

clsFlimmer Sparkle(double x, double y, double speedX, double speedY, int32_t color, int32_t age) {
  clsFlimmer s = SparkleAt(x, y, color);
  s.SpeedX = speedX;
  s.SpeedY = speedY;
  s.AccelX = 0.003;
  s.AccelY = -0.03;
  SparkleAccess::SetAge(s, age);
  return s;
}

// A show's worth of showers in every stage of life, then one of odd sparkles at the edges.
std::vector<Shower> MixedShowers() {
  RestoreRandomState(InitialRandomState());
  std::vector<Shower> showers;
  for (int stage = 0; stage < 15; ++stage) {
    Shower& shower = showers.emplace_back();
    const double x = Between(0, 300), y = Between(40, 180);
    for (int i = 0; i < 150; ++i) {
      const auto color = static_cast<int32_t>(Rnd() * 0x1000000);
      const double sx = Between(-3, 3), sy = Between(-3, 3);
      switch (stage % 5) {
        case 0:  // fresh
          shower.push_back(Sparkle(x, y, sx, sy, color, 0));
          break;
        case 1:  // middle-aged
          shower.push_back(Sparkle(x, y, sx, sy, color, static_cast<int32_t>(Between(30, 50))));
          break;
        case 2:  // fading to black within a few ticks
          shower.push_back(Sparkle(x, y, sx, sy, color, static_cast<int32_t>(Between(70, 87))));
          break;
        case 3:  // low and falling below the ground
          shower.push_back(Sparkle(x, Between(0.1, 4), sx, Between(-2, 0), color,
                                   static_cast<int32_t>(Between(10, 60))));
          break;
        default:  // grounded: at rest, or at 0 but still moving
          shower.push_back(i % 2 ? Sparkle(x, 0, 0, 0, color, static_cast<int32_t>(Between(0, 128)))
                                 : Sparkle(x, i % 4 ? 0.0 : -0.0, sx, sy, color, 5));
          break;
      }
    }
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  showers.push_back({
      // At the fade table's edge, in dim colours: a read past its end stays near enough for
      // the address sanitizer to see.
      Sparkle(10, 50, 0.5, 0, RGB(1, 2, 3), 126),
      Sparkle(20, 50, 0.5, 0, RGB(1, 2, 3), 127),
      Sparkle(30, 50, 0.5, 0, RGB(1, 2, 3), 128),
      Sparkle(40, 50, 0.5, 0, RGB(1, 2, 3), 129),
      Sparkle(50, 1e6, 0, 0, 0x0000FF, 60),
      Sparkle(60, 0, 0, 0, 0xFFFFFF, 1000),
      Sparkle(70, 0, 0, 0, RGB(1, 2, 3), 127),
      Sparkle(80, 0, 0, 0, RGB(1, 2, 3), 128),
      Sparkle(90, 50, 1, 1, 0, 3),
      Sparkle(95, -0.0, -0.0, -0.0, 0xFFFFFF, 20),
      Sparkle(100, -0.0, 0, 0, 0, 20),
      Sparkle(110, 0, -0.0, 0, 0x00FF00, 20),
      Sparkle(120, nan, 1, 1, 0xFFFFFF, 20),
      Sparkle(nan, 60, 1, 1, 0xFFFFFF, 20),
      Sparkle(130, 60, 1, nan, 0xFFFFFF, 20),
      Sparkle(140, 30, 0, 0, 0xFFFFFF, std::numeric_limits<int32_t>::max() - 500),
      Sparkle(-1e9, 60, 0, 0, 0xFFFFFF, 0),
      Sparkle(150, -5, 1, 1, 0xFFFFFF, 0),
  });
  return showers;
}

ReferenceShower AsReference(const Shower& shower) {
  ReferenceShower copy(shower.size());
  for (size_t i = 0; i < shower.size(); ++i) {
    const clsFlimmer& s = shower[i];
    ReferenceSparkle& r = copy[i];
    r.PosX = s.PosX;
    r.PosY = s.PosY;
    r.SpeedX = s.SpeedX;
    r.SpeedY = s.SpeedY;
    r.AccelX = s.AccelX;
    r.AccelY = s.AccelY;
    ReferenceAccess::SetStoredColor(r, s.Color());
    ReferenceAccess::SetAge(r, SparkleAccess::Age(s));
  }
  return copy;
}

// The show's sky, whose ground lies just below the bottom edge, and a canvas in pixels at
// device scale 2, whose height 0 is the top row.
Surface Sky(bool showsGround) {
  Surface sky = BlackPixels(240, 135);
  if (showsGround) {
    sky.SetDeviceScale(2);
  } else {
    sky.SetScaleTop(200);
    sky.SetScaleHeight(-200);
    sky.SetScaleWidth(200.0f / 135 * 240);
  }
  return sky;
}

TEST(SparkleBatch, AgreesToTheBitWithTheOldKernelTickAfterTick) {
  for (const bool showsGround : {false, true}) {
    SCOPED_TRACE(showsGround ? "ground shown" : "ground below the sky");
    std::vector<Shower> batch = MixedShowers();
    std::vector<ReferenceShower> reference;
    for (const Shower& shower : batch)
      reference.push_back(AsReference(shower));
    Surface sky = Sky(showsGround), reference_sky = Sky(showsGround);
    ASSERT_EQ(Surface::Points(sky).ShowsHeight(0), showsGround);
    RestoreRandomState(InitialRandomState());
    // Tick 0 only draws, as a burst is drawn once before its first step.
    for (int tick = 0; tick <= 200; ++tick) {
      // As the rockets do: each shower stepped, then drawn; the last one sparkle by sparkle.
      const RandomState before = SaveRandomState();
      for (ReferenceShower& shower : reference) {
        for (ReferenceSparkle& s : shower) {
          if (tick > 0) s.step();
        }
        for (ReferenceSparkle& s : shower)
          s.Draw(reference_sky);
      }
      const RandomState expected = SaveRandomState();
      RestoreRandomState(before);
      for (size_t i = 0; i + 1 < batch.size(); ++i) {
        if (tick > 0) clsFlimmer::StepAll(batch[i]);
        clsFlimmer::DrawAll(batch[i], sky);
      }
      for (clsFlimmer& s : batch.back()) {
        if (tick > 0) s.step();
        s.Draw(sky);
      }
      ASSERT_EQ(SaveRandomState(), expected) << "tick " << tick;

      for (size_t i = 0; i < batch.size(); ++i) {
        for (size_t j = 0; j < batch[i].size(); ++j) {
          ASSERT_EQ(SparkleAccess::Bits(batch[i][j]), ReferenceAccess::Bits(reference[i][j]))
              << "tick " << tick << ", shower " << i << ", sparkle " << j;
        }
      }
      for (int y = 0; y < sky.DeviceHeight(); ++y) {
        for (int x = 0; x < sky.DeviceWidth(); ++x) {
          ASSERT_EQ(sky.DevicePixel(x, y), reference_sky.DevicePixel(x, y))
              << "tick " << tick << " at " << x << ", " << y;
        }
      }
    }
    // The mix really went through every stage.
    size_t finished = 0;
    for (const Shower& shower : batch)
      finished += static_cast<size_t>(std::count_if(
          shower.begin(), shower.end(), [](const clsFlimmer& s) { return s.Finished(); }));
    EXPECT_GT(finished, 2000u);
  }
}

// Past the fade table the fade is computed as before, and an absurd state is still a clean
// fatal error, also for a grounded sparkle that is otherwise not drawn at all.
TEST(SparkleBatchDeathTest, AbsurdAgesStayFatal) {
  Surface sky = Sky(false);
  EXPECT_EXIT(
      {
        clsFlimmer s = Sparkle(10, 0, 0, 0, 0xFFFFFF, -2000);
        s.Draw(sky);
      },
      ::testing::ExitedWithCode(70), "Overflow");
  EXPECT_EXIT(
      {
        clsFlimmer s = Sparkle(10, 50, 0, 0, 0xFFFFFF, std::numeric_limits<int32_t>::max());
        s.step();
      },
      ::testing::ExitedWithCode(70), "sparkle age");
}

}  // namespace
}  // namespace starquill
