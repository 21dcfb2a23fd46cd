// Launching: the shared start values, each kind's own, the automatic launcher and the
// programmes.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/clsFlimmer.h"
#include "show/firework_kinds.h"
#include "show/frmMain.h"
#include "tests/support/fake_platform.h"
#include "tests/support/firework_probe.h"

namespace starquill {
namespace {

using testing::FakePlatform;

const std::set<int32_t> kPalette = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF};

// A firework's shared start values, whatever its kind.
struct Start {
  double x, y, sx, sy, ax, ay;
  bool operator==(const Start&) const = default;
};

Start StartOf(const Firework& f) {
  Start s{};
  auto read = [&](const auto& k) { s = {k.PosX, k.PosY, k.SpeedX, k.SpeedY, k.AccelX, k.AccelY}; };
  if (auto* k = f.As<clsFlimmer>()) read(*k);
  if (auto* k = f.As<clsFlimmerrocket>()) read(*k);
  if (auto* k = f.As<clsFlimmerpathrocket>()) read(*k);
  if (auto* k = f.As<clsFlimmerspinpathrocket>()) read(*k);
  if (auto* k = f.As<clsFlimmerspinbackpathrocket>()) read(*k);
  if (auto* k = f.As<clsFlimmerMultiRocket>()) read(*k);
  return s;
}

// The kind of each live firework as its mask bit.
std::vector<int32_t> KindBits(const frmMain& show) {
  std::vector<int32_t> bits;
  for (const Firework& f : show.FireworkList()) {
    bits.push_back(testing::KindBit(f));
  }
  return bits;
}

class LaunchDirector : public ::testing::Test {
 protected:
  LaunchDirector() : show(platform) {
    show.Load();
    show.Timer1().SetEnabled(false);  // nothing is dropped while we look
    show.Timer2().SetEnabled(false);
  }
  FakePlatform platform{400, 200};
  frmMain show;
};

TEST_F(LaunchDirector, OneLaunchSharesItsStartAndAppendsInBitOrder) {
  show.Launch(6);
  EXPECT_EQ(KindBits(show), (std::vector<int32_t>{2, 4}));
  EXPECT_EQ(show.FireworkCount(), 2);
  const Start burst = StartOf(show.FireworkList()[0]);
  EXPECT_EQ(burst, StartOf(show.FireworkList()[1]));
  EXPECT_EQ(burst.x, 200);  // the middle of the bottom edge
  EXPECT_EQ(burst.y, 0);
  EXPECT_EQ(burst.ay, -0.1);

  show.Launch(63);
  EXPECT_EQ(KindBits(show), (std::vector<int32_t>{2, 4, 1, 2, 4, 8, 16, 32}));
  for (size_t i = 3; i < 8; ++i)
    EXPECT_EQ(StartOf(show.FireworkList()[i]), StartOf(show.FireworkList()[2]));
}

TEST_F(LaunchDirector, OnlyTheSixKindBitsCount) {
  show.Launch(0);
  show.Launch(64);
  show.Launch(1 << 30);
  EXPECT_EQ(show.FireworkCount(), 0);
  show.Launch(-1);  // every bit set
  EXPECT_EQ(KindBits(show), (std::vector<int32_t>{1, 2, 4, 8, 16, 32}));
}

// Every kind of the table is launched by the automatic launcher (whose mixes run over all kinds'
// bits) as the kind whose bit it has; the keys' types name kinds of the table only.
TEST_F(LaunchDirector, EveryKindOfTheTableIsReachable) {
  int32_t bits = 0;
  for (const FireworkKindEntry& kind : kFireworkKinds) {
    show.Launch(KindBit(kind.id));
    ASSERT_EQ(KindBits(show).back(), KindBit(kind.id));
    bits |= KindBit(kind.id);
  }
  EXPECT_EQ(kAllKindsMask, bits);
  int32_t typed = 0;
  for (int32_t type : kTypeMasks)
    typed |= type;
  EXPECT_EQ(typed & ~kAllKindsMask, 0);
  EXPECT_EQ(typed, kAllKindsMask & ~KindBit(kSparkle) & ~KindBit(kMultiRocket));
}

TEST_F(LaunchDirector, DrawsSharedValuesThenColourThenTheKindsOwn) {
  const RandomState before = SaveRandomState();
  show.Launch(2);
  RestoreRandomState(before);
  const float r[6] = {Rnd(), Rnd(), Rnd(), Rnd(), Rnd(), Rnd()};
  const auto& burst = *show.FireworkList()[0].As<clsFlimmerrocket>();
  EXPECT_EQ(burst.SpeedX, r[0] * 6.0 - 3);
  EXPECT_EQ(burst.SpeedY, r[1] + 5.0);
  EXPECT_EQ(burst.AccelX, r[2] * 0.02 - 0.01);
  const int32_t palette[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF};
  EXPECT_EQ(burst.Color, palette[static_cast<int>(r[3] * 6.0)]);
  EXPECT_EQ(burst.Count, std::nearbyint(r[4] * 200.0f + 600.0f));
  EXPECT_EQ(burst.Power, 2.0f * r[5] + 2.0f);
}

TEST_F(LaunchDirector, EachKindStartsWithinItsRanges) {
  for (int i = 0; i < 300; ++i)
    show.Launch(63);
  for (const Firework& f : show.FireworkList()) {
    if (auto* b = f.As<clsFlimmerrocket>()) {
      EXPECT_TRUE(kPalette.count(b->Color));
      EXPECT_GE(b->Count, 600);
      EXPECT_LE(b->Count, 800);
      EXPECT_GE(b->Power, 2);
      EXPECT_LT(b->Power, 4);
      EXPECT_EQ(b->explodeTime, 0);
      EXPECT_EQ(b->explodeHeight, 0);
    } else if (auto* s = f.As<clsFlimmerspinpathrocket>()) {
      EXPECT_GE(s->SpinAngle, 7.853);
      EXPECT_LT(s->SpinAngle, 785.4);
    } else if (auto* m = f.As<clsFlimmerMultiRocket>()) {
      EXPECT_GE(m->RocketCount, 7);
      EXPECT_LE(m->RocketCount, 10);
      EXPECT_GE(m->Count, 600);
      EXPECT_LE(m->Count, 800);
    } else if (auto* p = f.As<clsFlimmer>()) {
      EXPECT_EQ(p->PosY, 0);  // a sparkle starts on the ground
    }
    const Start start = StartOf(f);
    EXPECT_GE(start.sx, -3);
    EXPECT_LT(start.sx, 3);
    EXPECT_GE(start.sy, 5);
    EXPECT_LT(start.sy, 6);
    EXPECT_GE(start.ax, -0.01);
    EXPECT_LT(start.ax, 0.01);
  }
}

TEST_F(LaunchDirector, ALaunchedSparkleIsDrawnOnceAndDropped) {
  show.Launch(1);
  show.Timer1_Timer();
  EXPECT_EQ(show.FireworkCount(), 0);
}

TEST_F(LaunchDirector, TheAutomaticLauncherFirstFiresAfterASecond) {
  FakePlatform fresh;
  frmMain other(fresh);
  other.Load();
  fresh.Clock().Advance(999);
  EXPECT_EQ(other.FireworkCount(), 0);
  fresh.Clock().Advance(1);
  EXPECT_GE(other.FireworkCount(), 1);
  EXPECT_GE(other.Timer2().Interval(), 1);
  EXPECT_LE(other.Timer2().Interval(), 5001);
}

TEST_F(LaunchDirector, TheAutomaticLauncherHoldsBackAtSevenButRetimesItself) {
  for (int i = 0; i < 7; ++i)
    show.Launch(4);
  std::set<int> intervals;
  for (int i = 0; i < 50; ++i) {
    show.Timer2_Timer();
    intervals.insert(show.Timer2().Interval());
  }
  EXPECT_EQ(show.FireworkCount(), 7);
  EXPECT_GT(intervals.size(), 40u);
  EXPECT_GE(*intervals.begin(), 1);
  EXPECT_LE(*intervals.rbegin(), 5001);

  show.Timer1().SetEnabled(true);
  for (int i = 0; i < 400 && show.FireworkCount() >= 7; ++i)
    show.Timer1_Timer();
  const int32_t below = show.FireworkCount();
  ASSERT_LT(below, 7);
  show.Timer2_Timer();
  EXPECT_GT(show.FireworkCount(), below);
}

TEST_F(LaunchDirector, ProgrammesSwitchAndStopFromTheirMenuItems) {
  EXPECT_FALSE(show.RangeTimer().Enabled());
  show.mnuMinimal_Click();
  EXPECT_TRUE(show.mnuMinimal.Checked);
  EXPECT_TRUE(show.RangeTimer().Enabled());
  EXPECT_EQ(show.RangeTimer().Interval(), 3000);

  show.mnuGrand_Click();
  EXPECT_FALSE(show.mnuMinimal.Checked);
  EXPECT_FALSE(show.mnuMedium.Checked);
  EXPECT_TRUE(show.mnuGrand.Checked);
  EXPECT_TRUE(show.RangeTimer().Enabled());
  EXPECT_EQ(show.RangeTimer().Interval(), 600);

  show.mnuGrand_Click();  // the running programme again: stop
  EXPECT_FALSE(show.mnuGrand.Checked);
  EXPECT_FALSE(show.RangeTimer().Enabled());

  show.mnuMedium_Click();
  EXPECT_EQ(show.RangeTimer().Interval(), 1000);
  EXPECT_TRUE(show.mnuMedium.Checked);
}

TEST_F(LaunchDirector, TheProgrammeLaunchesATypeAtItsPaceRegardlessOfTheCount) {
  for (int i = 0; i < 20; ++i)
    show.Launch(4);
  show.mnuGrand_Click();
  platform.Clock().Advance(599);
  EXPECT_EQ(show.FireworkCount(), 20);
  const std::set<std::vector<int32_t>> types = {{2}, {4}, {8}, {2, 4}, {2, 8}, {2, 16}, {16}};
  for (int event = 0; event < 30; ++event) {
    const size_t before = show.FireworkList().size();
    platform.Clock().Advance(event == 0 ? 1 : 600);
    const std::vector<int32_t> all = KindBits(show);
    const std::vector<int32_t> launched(all.begin() + static_cast<long>(before), all.end());
    EXPECT_TRUE(types.count(launched)) << "event " << event;
  }
}

TEST_F(LaunchDirector, TheProgrammeReseedsFromTheRunsSeedNotTheClock) {
  // The n-th event of a run's programme launches the same whatever the time of day; the next
  // event follows a sequence of its own.
  const auto first_event_at = [&](double clockMs, uint32_t seed) {
    platform.Clock().Advance(clockMs);
    ShowSettings seeded;
    seeded.runSeed = seed;
    frmMain other(platform, seeded);
    other.Load();
    other.Timer1().SetEnabled(false);
    other.RangeTimer_Timer();
    return StartOf(other.FireworkList()[0]);
  };
  EXPECT_EQ(first_event_at(0, 7), first_event_at(5000, 7));
  EXPECT_NE(first_event_at(0, 7), first_event_at(0, 8));
  show.RangeTimer_Timer();
  show.RangeTimer_Timer();
  EXPECT_NE(StartOf(show.FireworkList()[0]), StartOf(show.FireworkList().back()));
}

}  // namespace
}  // namespace starquill
