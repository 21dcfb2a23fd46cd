// The vivid look: frames between the ticks change nothing of the show, the glow's light comes
// and goes with each burst, and the sky never flashes.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

#include "platform/support/random.h"
#include "show/frmMain.h"
#include "tests/support/fake_platform.h"
#include "tests/support/pixel_hash.h"

namespace starquill {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;

using testing::PixelHash;

// What a tick leaves of a show: its fireworks drawn as they stand (which changes nothing), how
// many there are, and where the random generator is.
struct TickState {
  uint64_t fireworks;
  int32_t count;
  RandomState random;
  uint64_t sky;  // the sky as the tick drew it
  friend bool operator==(const TickState&, const TickState&) = default;
};

// A seeded show with every type pressed in turn, one tick after another; with the smooth look
// the screen's frames come three times a tick, the first at the tick's own moment.
std::vector<TickState> RunShow(Look look, std::vector<uint64_t>* tickFrames = nullptr) {
  RestoreRandomState(InitialRandomState());
  FakePlatform platform(320, 200);
  ShowSettings seeded;
  seeded.runSeed = 7;
  frmMain show(platform, seeded);
  show.SetLook(look);
  show.Load();
  show.mnuGrand_Click();
  FakeWindow& window = *platform.windows.at(0);
  std::vector<TickState> states;
  Surface still(320, 200);
  for (int tick = 0; tick < 160; ++tick) {
    if (tick % 9 == 0) show.Form_KeyPress('1' + tick / 9 % 7);
    platform.Clock().Advance(50 * (tick + 1) - platform.Clock().Now());  // to the tick
    const uint64_t sky = PixelHash(show.Picture1);
    if (look.smooth) {
      window.ShowFrame();
      if (tickFrames) tickFrames->push_back(PixelHash(show.Picture1));
    }
    still.Move(0, 0, 320, 200);
    still.SetScaleTop(200);
    still.SetScaleHeight(-200);
    still.SetScaleLeft(0);
    still.SetScaleWidth(show.Picture1.ScaleWidth());
    still.SetBackColor(0);
    still.Cls();
    for (const Firework& f : show.FireworkList())
      f.DrawBetween(still, InBetween(0));
    states.push_back({PixelHash(still), show.FireworkCount(), SaveRandomState(), sky});
    // Two more frames before the next tick, a third and two thirds of the way.
    for (int frame = 1; look.smooth && frame <= 2; ++frame) {
      platform.Clock().Advance(16);
      window.ShowFrame();
    }
  }
  return states;
}

TEST(SmoothLook, FramesBetweenTicksChangeNothingAndTheTicksOwnFrameIsThePlainOne) {
  std::vector<uint64_t> tickFrames;
  const std::vector<TickState> plain = RunShow({});
  const std::vector<TickState> smooth = RunShow({.smooth = true}, &tickFrames);
  ASSERT_EQ(plain.size(), smooth.size());
  for (size_t i = 0; i < plain.size(); ++i) {
    EXPECT_EQ(plain[i].fireworks, smooth[i].fireworks) << "tick " << i;
    EXPECT_EQ(plain[i].count, smooth[i].count) << "tick " << i;
    EXPECT_EQ(plain[i].random, smooth[i].random) << "tick " << i;
    EXPECT_EQ(plain[i].sky, tickFrames[i]) << "tick " << i;
  }
}

TEST(VividLook, TheKeyVSwitchesItAndTheScreensFramesWithIt) {
  FakePlatform platform(320, 200);
  frmMain show(platform);
  show.Load();
  FakeWindow& window = *platform.windows.at(0);
  show.Form_KeyPress('v');
  EXPECT_EQ(show.CurrentLook(), Look::Vivid());
  EXPECT_TRUE(window.pacing);
  show.Form_KeyPress('v');
  EXPECT_TRUE(show.CurrentLook().Plain());
  EXPECT_FALSE(window.pacing);
  // Back to the look the show was given, not a new one.
  show.SetLook({.glow = true});
  show.Form_KeyPress('v');
  show.Form_KeyPress('v');
  EXPECT_EQ(show.CurrentLook(), (Look{.glow = true}));
}

// The mean of the sky's brightest channels, 0 to 255.
double MeanBrightness(const Surface& s) {
  double sum = 0;
  for (int y = 0; y < s.DeviceHeight(); ++y) {
    for (int x = 0; x < s.DeviceWidth(); ++x) {
      const Color c = s.DevicePixel(x, y);
      sum += std::max({RedOf(c), GreenOf(c), BlueOf(c)});
    }
  }
  return sum / (double(s.DeviceWidth()) * s.DeviceHeight());
}

struct BurstClock : SkyEvents {
  explicit BurstClock(const TimerService& clock) : clock(clock) {}
  void Launch(double, double) override {}
  void Burst(double, double, int32_t, int32_t) override { bursts.push_back(clock.NowMs()); }
  void Trail(double, double, int32_t) override {}
  const TimerService& clock;
  std::vector<double> bursts;
};

TEST(GlowLook, ABurstLightsTheWholeSkyForAMoment) {
  RestoreRandomState(InitialRandomState());
  FakePlatform platform(320, 200);
  frmMain show(platform);
  show.SetLook({.glow = true});
  BurstClock heard(platform.Timers());
  show.AddSkyListener(&heard);
  show.Load();
  show.Timer2().SetEnabled(false);
  show.Launch(2);
  double before = 0;
  while (heard.bursts.empty()) {
    before = MeanBrightness(show.Picture1);
    platform.Clock().Advance(50);
  }
  const double lit = MeanBrightness(show.Picture1);
  const Color corner = show.Picture1.DevicePixel(0, show.Picture1.DeviceHeight() - 1);
  EXPECT_GT(lit, before + 10) << "the burst lit the sky";
  EXPECT_NE(corner, 0) << "far from the burst too";
  platform.Clock().Advance(600);
  EXPECT_EQ(show.Picture1.DevicePixel(0, show.Picture1.DeviceHeight() - 1), 0)
      << "the light is gone within 0.6 s";
  EXPECT_LT(MeanBrightness(show.Picture1), lit / 2);
}

// Counts the pairs of opposing changes of at least `threshold` in a series, as WCAG counts
// flashes, within every second; returns the most in any second.
int MostFlashesInASecond(const std::vector<std::pair<double, double>>& series, double threshold) {
  std::deque<double> turns;  // when each change of at least the threshold completed
  int most = 0;
  double extreme = series.empty() ? 0 : series[0].second;
  int direction = 0;  // of the last counted change
  for (const auto& [ms, value] : series) {
    const int now = value >= extreme + threshold ? 1 : value <= extreme - threshold ? -1 : 0;
    if (now != 0 && now != direction) {
      turns.push_back(ms);
      direction = now;
      extreme = value;
    } else if ((direction >= 0 && value > extreme) || (direction < 0 && value < extreme)) {
      extreme = value;  // the change goes on
    }
    while (!turns.empty() && ms - turns.front() >= 1000)
      turns.pop_front();
    most = std::max(most, static_cast<int>(turns.size()) / 2);
  }
  return most;
}

TEST(GlowLook, TheSkyNeverFlashesWhateverIsLaunched) {
  RestoreRandomState(InitialRandomState());
  FakePlatform platform(320, 200);
  ShowSettings seeded;
  seeded.runSeed = 11;
  frmMain show(platform, seeded);
  SkyLight light(platform.Timers());
  show.AddSkyListener(&light);
  show.SetLook(Look::Vivid());
  show.Load();
  show.mnuGrand_Click();
  std::vector<std::pair<double, double>> luminance, red;
  double brightest = 0;
  for (int ms = 0; ms < 5000; ms += 10) {
    if (ms % 100 == 0) {
      for (const char key : {'1', '2', '3', '4', '5', '6', '7'})
        show.Form_KeyPress(key);
    }
    platform.Clock().Advance(10);
    const Color sky = light.At(platform.Clock().NowMs());
    luminance.emplace_back(ms, RelativeLuminance(sky));
    red.emplace_back(ms, SaturatedRedMeasure(sky));
    brightest = std::max(brightest, RelativeLuminance(sky));
  }
  EXPECT_GT(brightest, SkyLight::kMostLuminance / 2) << "the sky was lit";
  EXPECT_LE(MostFlashesInASecond(luminance, 0.1), 3);
  EXPECT_LE(MostFlashesInASecond(red, 20), 3);
}

}  // namespace
}  // namespace starquill
