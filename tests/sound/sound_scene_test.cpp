#include "sound/sound_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "sound/audio_format.h"
#include "sound/bang.h"

namespace starquill {
namespace {

constexpr size_t kBlockFrames = 480;  // 10 ms, as the output asks for

// Renders `seconds` of the scene in 10 ms blocks.
std::vector<float> RenderSeconds(SoundScene& scene, double seconds) {
  std::vector<float> out;
  std::vector<float> block(2 * kBlockFrames);
  for (int n = 0; n < FramesIn(seconds); n += kBlockFrames) {
    scene.Render(block);
    out.insert(out.end(), block.begin(), block.end());
  }
  return out;
}

struct Channels {
  double left = 0;  // energies
  double right = 0;
};

Channels Energy(const std::vector<float>& stereo, size_t firstFrame = 0, size_t frames = SIZE_MAX) {
  Channels e;
  for (size_t i = firstFrame; i < std::min(stereo.size() / 2, firstFrame + frames); ++i) {
    e.left += stereo[2 * i] * stereo[2 * i];
    e.right += stereo[2 * i + 1] * stereo[2 * i + 1];
  }
  return e;
}

// The last frame with any sound, or -1.
int LastSoundingFrame(const std::vector<float>& stereo) {
  for (size_t i = stereo.size(); i-- > 0;)
    if (stereo[i] != 0) return static_cast<int>(i / 2);
  return -1;
}

std::vector<float> BangAlone(int32_t sparkles, float pan = 0.5f, float height = 0.5f,
                             uint64_t seed = 7) {
  SoundScene scene(seed);
  scene.Burst(pan, height, sparkles);
  return RenderSeconds(scene, 2.0);
}

TEST(SoundScene, ABurstIsABangAsLongAndLoudAsItsShower) {
  for (const int32_t sparkles : {200, 800}) {
    const auto sound = BangAlone(sparkles);
    EXPECT_NE(sound[0], 0) << "a bang starts at the first frame of the next block";
    const double seconds = LastSoundingFrame(sound) / double(kSampleRate);
    EXPECT_NEAR(seconds, BangShape::For(sparkles).seconds, 0.01) << sparkles << " sparkles";
  }
  // Four times the sparkles, twice the amplitude (each bang varies by up to 10 %).
  const double small = Energy(BangAlone(200), 0, FramesIn(0.1)).left;
  const double typical = Energy(BangAlone(800), 0, FramesIn(0.1)).left;
  EXPECT_NEAR(std::sqrt(typical / small), 2.0, 0.4);
  // A typical bang is clearly heard and leaves the limiter room.
  float peak = 0;
  for (const float s : BangAlone(800))
    peak = std::max(peak, std::fabs(s));
  EXPECT_GT(peak, 0.2f);
  EXPECT_LT(peak, SoftLimiter::kThreshold);
  EXPECT_EQ(BangShape::For(0).level, 0);
  EXPECT_LE(BangShape::For(std::numeric_limits<int32_t>::max()).seconds, 2.0f);
}

TEST(SoundScene, ABangIsPannedAndSoundsFartherOffHigherUp) {
  const Channels left = Energy(BangAlone(800, 0.1f));
  const Channels right = Energy(BangAlone(800, 0.9f));
  EXPECT_GT(left.left, 4 * left.right);
  EXPECT_GT(right.right, 4 * right.left);

  // High up: quieter, and duller (less of its energy in sample-to-sample changes).
  auto brightness = [](const std::vector<float>& s) {
    double changes = 0;
    for (size_t i = 2; i < s.size(); i += 2)
      changes += (s[i] - s[i - 2]) * (s[i] - s[i - 2]);
    return changes / Energy(s).left;
  };
  const auto low = BangAlone(800, 0.5f, 0.0f);
  const auto high = BangAlone(800, 0.5f, 1.0f);
  EXPECT_LT(Energy(high).left, 0.7 * Energy(low).left);
  EXPECT_LT(brightness(high), 0.5 * brightness(low));
}

TEST(SoundScene, MutedIsExactSilenceAndUnmutedSoundsAgain) {
  SoundScene scene(1);
  scene.Burst(0.5f, 0.5f, 800);
  scene.Launch(0.5f, 0);
  RenderSeconds(scene, 0.05);
  scene.SetMuted(true);
  scene.Burst(0.5f, 0.5f, 800);  // dropped
  const auto fading = RenderSeconds(scene, 0.01);
  EXPECT_NE(fading[0], 0);
  EXPECT_EQ(LastSoundingFrame(fading), -1 + FramesIn(0.005)) << "faded out within 5 ms";
  EXPECT_EQ(LastSoundingFrame(RenderSeconds(scene, 1.0)), -1);
  EXPECT_EQ(scene.ActiveVoices(), 0);

  scene.SetMuted(false);
  EXPECT_EQ(LastSoundingFrame(RenderSeconds(scene, 0.5)), -1) << "nothing posted while muted";
  scene.Burst(0.5f, 0.5f, 800);
  EXPECT_GT(Energy(RenderSeconds(scene, 0.1)).left, 0);
}

TEST(SoundScene, FiveHundredFireworksNeverSoundMoreThan32Voices) {
  SoundScene scene(3);
  std::vector<float> block(2 * kBlockFrames);
  int most = 0;
  for (int i = 0; i < 500; ++i) {
    const float pan = static_cast<float>(i % 11) / 10;
    scene.Launch(pan, 0);
    scene.Burst(pan, 0.7f, 300 + i);
    scene.Crackle(pan, 0.5f, 100);
    if (i % 5 == 4) {
      scene.Render(block);
      most = std::max(most, scene.ActiveVoices());
    }
  }
  EXPECT_EQ(most, 32);
}

TEST(SoundScene, TheSameSeedRendersTheSameSamples) {
  auto show = [](uint64_t seed) {
    SoundScene scene(seed);
    scene.Launch(0.5f, 0);
    scene.Crackle(0.3f, 0.4f, 200);
    RenderSeconds(scene, 0.2);
    scene.Burst(0.3f, 0.8f, 650);
    return RenderSeconds(scene, 0.5);
  };
  EXPECT_EQ(show(11), show(11));
  EXPECT_NE(show(11), show(12));
}

TEST(SoundScene, AnyPileOfBangsAndNonsenseStaysWithinFullScale) {
  SoundScene scene(5);
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  for (int i = 0; i < 40; ++i)
    scene.Burst(i % 2 ? 0.5f : kNaN, i % 3 ? 0.0f : -kInfinity,
                std::numeric_limits<int32_t>::max());
  scene.Burst(kInfinity, kNaN, -5);
  scene.Crackle(0.5f, 0.5f, std::numeric_limits<int32_t>::min());
  std::vector<float> odd(2 * kBlockFrames + 1, 1.0f);
  scene.Render(odd);
  EXPECT_EQ(odd.back(), 0) << "an odd last sample is left silent";
  for (const float s : RenderSeconds(scene, 1.0)) {
    ASSERT_TRUE(std::isfinite(s));
    ASSERT_LT(std::fabs(s), 1.0f);
  }
}

}  // namespace
}  // namespace starquill
