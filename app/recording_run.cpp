// A show rendered into a video file, without a window or a display. Time is the show's own: a
// manual clock runs the ticks, the launcher and the programme, frame after frame, so the same
// options give the same video. The sound is rendered beside it, sample for sample at the
// moment each launch and burst happens.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/record_progress.h"
#include "app/ways_to_run.h"
#include "platform/support/stop_signals.h"
#include "platform/toolkit/offscreen_platform.h"
#include "platform/video/video_file.h"
#include "show/show_sound.h"
#include "sound/audio_format.h"
#include "sound/sound_scene.h"

namespace starquill {
namespace {

// The show's sound as a recording hears it: the scene alone, rendered on the show's thread.
class RecordedSound : public ShowSound {
 public:
  explicit RecordedSound(uint64_t seed) : scene_(seed) {}

  void Launch(float x, float y) override { scene_.Launch(x, y); }
  void Burst(float x, float y, int32_t sparkles) override { scene_.Burst(x, y, sparkles); }
  void Crackle(float x, float y, int32_t live) override { scene_.Crackle(x, y, live); }
  void ToggleMute() override {}

  // Renders the mix up to this sample pair (from the recording's start) into the file.
  std::optional<std::string> RenderTo(int64_t pair, VideoFile& file) {
    while (rendered_ < pair) {
      const int64_t n = std::min<int64_t>(pair - rendered_, kBlockPairs);
      std::span<float> block(buffer_.data(), static_cast<size_t>(n) * 2);
      scene_.Render(block);
      rendered_ += n;
      if (auto error = file.AddAudio(block)) return error;
    }
    return std::nullopt;
  }

 private:
  static constexpr int64_t kBlockPairs = 480;  // 10 ms
  SoundScene scene_;
  std::vector<float> buffer_ = std::vector<float>(kBlockPairs * 2);
  int64_t rendered_ = 0;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "starquill: %s\n", message.c_str());
  return 1;
}

}  // namespace

int RunRecording(const RunOptions& options) {
  const RecordOptions& record = *options.record;
  // The file first: one that cannot be made is said before anything is rendered.
  auto created = VideoFile::Create(
      record.file, {.width = record.width, .height = record.height, .fps = record.fps,
                    .audio = options.sound});
  if (auto* why = std::get_if<std::string>(&created)) return Fail("cannot record: " + *why);
  std::unique_ptr<VideoFile> video = std::move(std::get<std::unique_ptr<VideoFile>>(created));

  OffscreenPlatform platform(record.width, record.height);
  Program program(platform, RecordingCourse(options));
  std::unique_ptr<RecordedSound> sound;
  std::optional<std::string> error;
  const auto pairAt = [](double ms) { return static_cast<int64_t>(ms * kSampleRate / 1000.0); };
  if (options.sound) {
    sound = std::make_unique<RecordedSound>(program.Seed());
    program.SetSound(sound.get());
    // What the show does at a moment is heard from that moment's sample on.
    platform.Clock().BeforeEvent = [&](int64_t ms) {
      if (!error) error = sound->RenderTo(pairAt(static_cast<double>(ms)), *video);
    };
  }
  const StopSignals stop;
  program.Start();
  if (options.verbose) {
    std::fprintf(stderr, "starquill: seed %u (--seed %u records this show again)\n",
                 program.Seed(), program.Seed());
  }

  const int64_t frames = std::max<int64_t>(1, std::llround(record.seconds * record.fps));
  RecordProgress progress(record.quiet ? nullptr : stderr, isatty(STDERR_FILENO) == 1, frames,
                          record.fps);
  const auto started = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  };
  size_t next_key = 0;
  int64_t done = 0;
  for (; done < frames && !error && !stop.Received() && !platform.Ended(); ++done) {
    const double at = static_cast<double>(done) * 1000.0 / record.fps;
    // The keys due by this frame, each at its own moment.
    while (next_key < record.keys.size() && static_cast<double>(record.keys[next_key].ms) <= at) {
      const KeyAt& key = record.keys[next_key++];
      platform.Clock().AdvanceTo(static_cast<double>(key.ms));
      if (sound && !error) error = sound->RenderTo(pairAt(static_cast<double>(key.ms)), *video);
      if (frmMain* show = program.Show()) show->Form_KeyPress(key.key);
      platform.RunPosted();
    }
    platform.Clock().AdvanceTo(at);
    platform.RunPosted();
    if (sound && !error) error = sound->RenderTo(pairAt(at), *video);
    if (error) break;
    platform.ShowFrame();
    frmMain* show = program.Show();
    if (!show) break;
    error = video->AddFrame(show->Picture1.Bits(), show->Picture1.DeviceWidth());
    progress.Report(done + 1, elapsed());
  }
  // The sound runs to the end of the last frame.
  if (sound && !error) error = sound->RenderTo(pairAt(static_cast<double>(done) * 1000.0 / record.fps), *video);
  progress.Done();

  const std::optional<std::string> unfinished = video->Finish();
  video.reset();
  if (error || unfinished) {
    // A file that could not be written to its end is not left behind as if it were done.
    std::error_code ignored;
    const bool removed = unfinished && std::filesystem::remove(record.file, ignored);
    return Fail("cannot record: " + (error ? *error : *unfinished) +
                (removed ? "; the unfinished file was removed"
                         : "; the file holds what was recorded before"));
  }
  if (!record.quiet) {
    std::fprintf(stderr, "starquill: recorded %lld frames (%.2f s) into %s in %.1f s\n",
                 static_cast<long long>(done), static_cast<double>(done) / record.fps,
                 record.file.c_str(), elapsed());
  }
  std::fflush(nullptr);
  if (const auto signal = stop.Received()) EndBySignal(*signal);
  return 0;
}

}  // namespace starquill
