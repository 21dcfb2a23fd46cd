// Whole shows, run on the manual clock: the pixels are repeatable, and a long, heavy show ends
// clean.

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdint>

#include "platform/support/random.h"
#include "show/frmMain.h"
#include "tests/support/fake_platform.h"
#include "tests/support/pixel_hash.h"
#include "tests/support/firework_probe.h"

namespace starquill {
namespace {

using testing::Census;
using testing::FakePlatform;

using testing::PixelHash;

// The same generator state and the same launches give the same pixels. The hashes were taken
// from this show once; a change in any kind's order of draws, of steps or of drawing, or in the
// surface's mapping, changes them.
TEST(ShowRun, SameStateAndLaunchesGiveTheSamePixels) {
  FakePlatform platform(480, 270);
  frmMain show(platform);
  show.Load();
  show.Timer2().SetEnabled(false);  // only these launches
  RestoreRandomState(InitialRandomState());
  const auto tick = [&] { platform.Clock().Advance(50); };
  std::vector<uint64_t> hashes;
  for (int n = 1; n <= 260; ++n) {
    if (n == 1) show.Launch(63);
    if (n == 20) show.Launch(18);
    if (n == 45) show.Launch(10);
    if (n == 70) show.Launch(6);
    tick();
    if (n == 60 || n == 130 || n == 260) hashes.push_back(PixelHash(show.Picture1));
  }
  EXPECT_EQ(hashes, (std::vector<uint64_t>{8718065440349593323ull, 3096446588966176763ull,
                                           12328502028602150949ull}));
}

size_t HeapInUse() {
  return mallinfo2().uordblks;
}

// An hour of Grand Finale, a random type every 0.6 s, on top of the automatic launcher's
// random mixes. Everything comes down, nothing is ever NaN, and the memory goes back to
// where it was.
TEST(ShowRunSoak, AnHourOfGrandFinaleEndsWithEverythingDroppedAndFreed) {
#if defined(__SANITIZE_ADDRESS__)
  constexpr int kMinutes = 10;  // the sanitizers make every tick several times slower
#else
  constexpr int kMinutes = 60;
#endif
  FakePlatform platform(1280, 720);
  frmMain show(platform);
  show.Load();
  show.Launch(1);
  platform.Clock().Advance(100);  // caches warm, list empty again
  [[maybe_unused]] const size_t heap_before = HeapInUse();

  show.mnuGrand_Click();
  size_t peak_sparkles = 0;
  int32_t peak_fireworks = 0;
  for (int second = 0; second < kMinutes * 60; ++second) {
    platform.Clock().Advance(1000);
    const auto census = Census(show.FireworkList());
    ASSERT_TRUE(census.all_finite) << "after " << second << " s";
    peak_sparkles = std::max(peak_sparkles, census.sparkles);
    peak_fireworks = std::max(peak_fireworks, show.FireworkCount());
  }
  show.mnuGrand_Click();  // stop the programme
  show.Timer2().SetEnabled(false);
  int rundown = 0;
  while (show.FireworkCount() > 0 && rundown < 2000) {
    platform.Clock().Advance(50);
    ++rundown;
  }
  EXPECT_EQ(show.FireworkCount(), 0);
  EXPECT_TRUE(show.FireworkList().empty());
  EXPECT_GT(peak_sparkles, 10000u);
  ::testing::Test::RecordProperty("peak_sparkles", static_cast<int>(peak_sparkles));
  ::testing::Test::RecordProperty("peak_fireworks", peak_fireworks);
#if !defined(__SANITIZE_ADDRESS__)
  EXPECT_LT(HeapInUse(), heap_before + (256 << 10));
#endif
}

}  // namespace
}  // namespace starquill
