#include "app/recorder.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/scene_sound.h"
#include "app/ways_to_run.h"
#include "sound/audio_format.h"

namespace starquill {

// The show's sound as a recording hears it: the scene alone, rendered on the show's thread.
class Recorder::Sound : public SceneSound {
 public:
  using SceneSound::SceneSound;

  // Renders the mix on to this sample pair, counted from the recording's start.
  std::optional<std::string> RenderTo(int64_t pair, RecordingSink& sink) {
    while (rendered_ < pair) {
      const int64_t n = std::min<int64_t>(pair - rendered_, kBlockPairs);
      std::span<float> block(buffer_.data(), static_cast<size_t>(n) * kChannels);
      scene_.Render(block);
      rendered_ += n;
      if (auto error = sink.AddAudio(block)) return error;
    }
    return std::nullopt;
  }

 private:
  static constexpr int64_t kBlockPairs = kSampleRate / 100;  // 10 ms
  std::vector<float> buffer_ = std::vector<float>(kBlockPairs * kChannels);
  int64_t rendered_ = 0;
};

namespace {

int64_t FramesOf(const RecordOptions& record) {
  return std::max<int64_t>(1, std::llround(record.seconds * record.fps));
}

}  // namespace

Recorder::Recorder(const RunOptions& options)
    : record_(*options.record),
      fps_(std::max(record_.fps, 1)),
      frames_(FramesOf(record_)),
      platform_(record_.width, record_.height),
      program_(platform_, RecordingCourse(options)) {
  if (options.sound) {
    sound_ = std::make_unique<Sound>(program_.Seed());
    program_.SetSound(sound_.get());
    // What the show does at a moment is heard from that moment's sample on.
    platform_.Clock().BeforeEvent = [this](int64_t ms) {
      if (sink_ && !error_) error_ = SoundTo(static_cast<double>(ms), *sink_);
    };
  }
  program_.Start();
}

Recorder::~Recorder() = default;

std::optional<std::string> Recorder::SoundTo(double ms, RecordingSink& sink) {
  if (!sound_) return std::nullopt;
  return sound_->RenderTo(static_cast<int64_t>(ms * kSampleRate / 1000.0), sink);
}

std::optional<std::string> Recorder::RecordFrame(RecordingSink& sink) {
  if (Done()) return std::nullopt;
  sink_ = &sink;
  const double at = MomentOf(done_);
  // The keys due by this frame, each at its own moment.
  while (!error_ && next_key_ < record_.keys.size() &&
         static_cast<double>(record_.keys[next_key_].ms) <= at) {
    const KeyAt& key = record_.keys[next_key_++];
    platform_.Clock().AdvanceTo(static_cast<double>(key.ms));
    if (!error_) error_ = SoundTo(static_cast<double>(key.ms), sink);
    if (frmMain* show = program_.Show()) show->Form_KeyPress(key.key);
    platform_.RunPosted();
  }
  platform_.Clock().AdvanceTo(at);
  platform_.RunPosted();
  if (!error_) error_ = SoundTo(at, sink);
  sink_ = nullptr;
  if (error_) return error_;
  platform_.ShowFrame();
  frmMain* show = program_.Show();
  if (!show) return "the show has gone";
  ++done_;
  return sink.AddFrame(show->Picture1.Bits(), show->Picture1.DeviceWidth());
}

std::optional<std::string> Recorder::FinishSound(RecordingSink& sink) {
  return SoundTo(MomentOf(done_), sink);
}

}  // namespace starquill
