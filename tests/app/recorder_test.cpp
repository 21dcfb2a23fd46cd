// A recording's show, frame by frame and sample by sample: at one frame a tick it is the
// plain show's sky tick for tick, it repeats itself, and its sound starts each launch at the
// very sample of its key.

#include "app/recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/ways_to_run.h"
#include "platform/support/random.h"
#include "tests/support/fake_platform.h"

namespace starquill {
namespace {

uint64_t Hash(const uint32_t* pixels, size_t count, uint64_t hash = 14695981039346656037ull) {
  for (size_t i = 0; i < count; ++i)
    hash = (hash ^ (pixels[i] & 0xFFFFFFu)) * 1099511628211ull;
  return hash;
}

struct Capture : RecordingSink {
  int width, height;
  Capture(int w, int h) : width(w), height(h) {}
  std::optional<std::string> AddFrame(const uint32_t* pixels, int stride) override {
    EXPECT_EQ(stride, width);
    frames.push_back(Hash(pixels, size_t(width) * size_t(height)));
    return std::nullopt;
  }
  std::optional<std::string> AddAudio(std::span<const float> stereo) override {
    samples.insert(samples.end(), stereo.begin(), stereo.end());
    return std::nullopt;
  }
  std::vector<uint64_t> frames;
  std::vector<float> samples;
};

RunOptions Clip(int fps, bool sound) {
  RunOptions options;
  options.seed = 5;
  options.programme = Programme::Medium;
  options.sound = sound;
  RecordOptions record;
  record.seconds = 4;
  record.width = 320;
  record.height = 180;
  record.fps = fps;
  record.keys = {{'1', 200}, {'4', 1250}};
  options.record = record;
  return options;
}

Capture RecordAll(const RunOptions& options) {
  RestoreRandomState(InitialRandomState());
  Capture capture(options.record->width, options.record->height);
  Recorder recorder(options);
  while (!recorder.Done())
    EXPECT_FALSE(recorder.RecordFrame(capture));
  EXPECT_FALSE(recorder.FinishSound(capture));
  return capture;
}

TEST(Recorder, AtOneFrameATickItIsThePlainShowTickForTick) {
  const RunOptions options = Clip(20, false);
  const Capture recorded = RecordAll(options);
  ASSERT_EQ(recorded.frames.size(), 80u);

  // The same show on the desktop, its keys pressed at the same moments.
  RestoreRandomState(InitialRandomState());
  testing::FakePlatform platform(320, 180);
  RunOptions desktop = options;
  desktop.record.reset();
  desktop.straightToShow = true;
  Program program(platform, DesktopCourse(desktop));
  program.Start();
  const Surface& sky = program.Show()->Picture1;
  const auto skyHash = [&] {
    return Hash(sky.Bits(), size_t(sky.DeviceWidth()) * sky.DeviceHeight());
  };
  size_t key = 0;
  for (size_t frame = 0; frame < recorded.frames.size(); ++frame) {
    const int64_t at = int64_t(frame) * 50;
    for (; key < options.record->keys.size() && options.record->keys[key].ms <= at; ++key) {
      platform.Clock().Advance(options.record->keys[key].ms - platform.Clock().Now());
      program.Show()->Form_KeyPress(options.record->keys[key].key);
    }
    platform.Clock().Advance(at - platform.Clock().Now());
    ASSERT_EQ(recorded.frames[frame], skyHash()) << "frame " << frame;
  }
}

TEST(Recorder, RepeatsItselfAndHearsEachLaunchFromItsKeysSample) {
  const Capture first = RecordAll(Clip(30, true));
  const Capture second = RecordAll(Clip(30, true));
  EXPECT_EQ(first.frames, second.frames);
  EXPECT_EQ(first.samples, second.samples);
  ASSERT_EQ(first.frames.size(), 120u);
  ASSERT_EQ(first.samples.size(), size_t(4 * 48000 * 2));  // to the end of the last frame
  // Nothing sounds before the first key, at 0.2 s; its launch sounds from that sample on.
  const auto firstSound =
      std::find_if(first.samples.begin(), first.samples.end(), [](float s) { return s != 0; });
  EXPECT_EQ((firstSound - first.samples.begin()) / 2, 200 * 48);
}

}  // namespace
}  // namespace starquill
