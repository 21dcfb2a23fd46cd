// What the show tells its listeners and its sound: they hear launches, bursts and trails, only
// listen, and the key s is the sound's mute.

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "platform/support/random.h"
#include "show/firework_kinds.h"
#include "show/frmMain.h"
#include "tests/support/fake_platform.h"
#include "tests/support/firework_probe.h"

namespace starquill {
namespace {

using testing::FakePlatform;

struct RecordingSound : ShowSound {
  void Launch(float x, float y) override { heard.push_back({"launch", x, y, 0}); }
  void Burst(float x, float y, int32_t n) override { heard.push_back({"burst", x, y, n}); }
  void Crackle(float x, float y, int32_t n) override { heard.push_back({"crackle", x, y, n}); }
  void ToggleMute() override { ++mute_keys; }

  struct Heard {
    std::string what;
    float x, y;
    int32_t sparkles;
  };
  std::vector<Heard> heard;
  int mute_keys = 0;

  int Count(const std::string& what) const {
    return static_cast<int>(
        std::count_if(heard.begin(), heard.end(), [&](const Heard& h) { return h.what == what; }));
  }
};

// Runs a show with the keys 1 (a burst rocket), 7 (a trail) and 6 (both), two seconds apart,
// and gives the sky's pixels after every tick.
std::vector<std::vector<uint32_t>> Frames(ShowSound* sound) {
  FakePlatform platform(400, 200);
  frmMain show(platform);
  show.SetSound(sound);
  show.Load();
  RestoreRandomState(InitialRandomState());
  std::vector<std::vector<uint32_t>> frames;
  for (int tick = 0; tick < 160; ++tick) {
    if (tick == 0) show.Form_KeyPress('1');
    if (tick == 40) show.Form_KeyPress('7');
    if (tick == 80) show.Form_KeyPress('6');
    platform.Clock().Advance(50);
    const Surface& sky = show.Picture1;
    frames.emplace_back(sky.Bits(), sky.Bits() + size_t(sky.DeviceWidth()) * sky.DeviceHeight());
  }
  return frames;
}

TEST(ShowSound, TheSoundHearsTheSkyAndChangesNotAPixel) {
  RecordingSound sound;
  EXPECT_EQ(Frames(&sound), Frames(nullptr));
  // The three keys and the automatic launcher's rockets whoosh from the middle of the ground.
  EXPECT_GE(sound.Count("launch"), 3);
  for (const auto& h : sound.heard) {
    if (h.what == "launch") {
      EXPECT_TRUE(h.x == 0.5f && h.y == 0);
    }
    EXPECT_TRUE(h.x > -1 && h.x < 2 && h.y >= 0 && h.y <= 1.5) << h.what;
  }
  // Each burst rocket bangs once, high in the sky, with its shower's size.
  const auto burst = std::find_if(sound.heard.begin(), sound.heard.end(),
                                  [](const auto& h) { return h.what == "burst"; });
  ASSERT_NE(burst, sound.heard.end());
  EXPECT_GE(burst->sparkles, 600);
  EXPECT_LE(burst->sparkles, 800);
  EXPECT_GT(burst->y, 0.3);
  // The trail crackles on the ticks it has sparkles in the air.
  EXPECT_GT(sound.Count("crackle"), 20);
}

// Everything a sound hears, in order, as one FNV-1a hash of each call's name, places and size.
uint64_t HeardHash(const RecordingSound& sound) {
  uint64_t hash = 14695981039346656037ull;
  const auto mix = [&](uint32_t word) { hash = (hash ^ word) * 1099511628211ull; };
  for (const auto& h : sound.heard) {
    mix(static_cast<uint32_t>(h.what[0]));
    mix(std::bit_cast<uint32_t>(h.x));
    mix(std::bit_cast<uint32_t>(h.y));
    mix(static_cast<uint32_t>(h.sparkles));
  }
  return hash;
}

// A seeded show of every kind and every type, the automatic launcher's mixes among them, with
// the window widened halfway through. The sound is synthesised from these calls alone, so the
// same calls are the same sound, sample for sample. The hash was taken from this show once; a
// change in the order of the calls (within a tick: each firework in launch order, its bursts in
// the order of its rockets, then its trail), in a place, a burst's size or a trail's count of
// live sparkles, or a sky width read before the resize, changes it.
TEST(ShowSound, ASeededShowSoundsAsItAlwaysHas) {
  FakePlatform platform(400, 200);
  frmMain show(platform);
  RecordingSound sound;
  show.SetSound(&sound);
  show.Load();
  RestoreRandomState(InitialRandomState());
  for (int tick = 0; tick < 400; ++tick) {
    if (tick == 0) show.Launch(kAllKindsMask);
    if (tick % 20 == 10 && tick < 150) show.Launch(kTypeMasks[static_cast<size_t>(tick / 20)]);
    if (tick == 200) platform.windows.at(0)->ResizeClient(600, 200);
    if (tick == 210) show.Launch(kAllKindsMask);
    platform.Clock().Advance(50);
  }
  EXPECT_EQ(sound.Count("launch"), 12);
  EXPECT_EQ(sound.Count("burst"), 23);  // two multi rockets' fans among them
  EXPECT_EQ(sound.Count("crackle"), 2051);
  EXPECT_EQ(HeardHash(sound), 9102018518984358387ull);
}

struct RecordingSky : SkyEvents {
  struct Event {
    char what;  // L, B or T
    double x, y;
    int32_t color, count;
    bool operator==(const Event&) const = default;
  };
  void Launch(double x, double y) override { heard.push_back({'L', x, y, 0, 0}); }
  void Burst(double x, double y, int32_t color, int32_t n) override {
    heard.push_back({'B', x, y, color, n});
  }
  void Trail(double x, double y, int32_t n) override { heard.push_back({'T', x, y, 0, n}); }
  int Count(char what) const {
    return static_cast<int>(
        std::count_if(heard.begin(), heard.end(), [&](const Event& e) { return e.what == what; }));
  }
  std::vector<Event> heard;
};

// The colour and the listener of a kind that bursts or trails.
std::pair<int32_t, SkyEvents*> ColorAndEvents(const Firework& f) {
  std::pair<int32_t, SkyEvents*> told{};
  const auto read = [&](const auto* kind) {
    if (kind) told = {kind->Color, kind->Events};
  };
  read(f.As<clsFlimmerrocket>());
  read(f.As<clsFlimmerMultiRocket>());
  read(f.As<clsFlimmerpathrocket>());
  read(f.As<clsFlimmerspinpathrocket>());
  read(f.As<clsFlimmerspinbackpathrocket>());
  return told;
}

// Every kind that bursts or trails tells each listener the same events, in sky units; a show
// nobody listens to launches them telling nobody.
TEST(SkyListeners, EveryKindThatBurstsOrTrailsTellsEachListener) {
  for (const FireworkKindId kind :
       {kBurstRocket, kMultiRocket, kPathRocket, kSpinPathRocket, kSpinBackPathRocket}) {
    SCOPED_TRACE(kind);
    FakePlatform platform(400, 200);
    frmMain show(platform);
    RecordingSky first, second;
    show.AddSkyListener(&first);
    show.AddSkyListener(&second);
    show.Load();
    show.Timer2().SetEnabled(false);
    show.Launch(KindBit(kind));
    const auto [color, events] = ColorAndEvents(show.FireworkList().at(0));
    const auto* multi = show.FireworkList()[0].As<clsFlimmerMultiRocket>();
    const int32_t rockets = multi ? multi->RocketCount : 1;
    for (int tick = 0; tick < 2000 && show.FireworkCount() > 0; ++tick)
      platform.Clock().Advance(50);
    ASSERT_EQ(show.FireworkCount(), 0);

    EXPECT_EQ(first.heard, second.heard);
    ASSERT_FALSE(first.heard.empty());
    EXPECT_EQ(first.heard[0], (RecordingSky::Event{'L', 200, 0, 0, 0}));  // the ground's middle
    const bool bursts = kind == kBurstRocket || kind == kMultiRocket;
    EXPECT_EQ(first.Count('B'), bursts ? rockets : 0);
    EXPECT_EQ(first.Count('T') > 0, !bursts);
    for (const RecordingSky::Event& e : first.heard) {
      if (e.what == 'B') {
        EXPECT_EQ(e.color, color);
        EXPECT_GE(e.count, multi ? 300 : 600);
        EXPECT_GT(e.y, 50);
      }
    }

    frmMain unheard(platform);
    unheard.Load();
    unheard.Launch(KindBit(kind));
    EXPECT_EQ(ColorAndEvents(unheard.FireworkList().at(0)).second, nullptr);
  }
}

TEST(ShowSound, TheKeySMutesOnlyWhenThereIsSound) {
  FakePlatform platform;
  frmMain silent(platform);
  silent.Load();
  silent.Form_KeyPress('s');
  EXPECT_TRUE(silent.FireworkList().empty());

  RecordingSound sound;
  frmMain heard(platform);
  heard.SetSound(&sound);
  heard.Load();
  heard.Form_KeyPress('s');
  heard.Form_KeyPress('S');
  EXPECT_EQ(sound.mute_keys, 1);
  EXPECT_TRUE(heard.FireworkList().empty());
}

}  // namespace
}  // namespace starquill
