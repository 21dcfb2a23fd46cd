// A show rendered into a video file, without a window or a display: the recorder's frames and
// sound (app/recorder.h) written by the video file, with progress on stderr. Ctrl-C or SIGTERM
// stops the rendering and leaves a finished file of what was rendered so far.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "app/record_progress.h"
#include "app/recorder.h"
#include "app/ways_to_run.h"
#include "platform/support/printable.h"
#include "platform/support/stop_signals.h"
#include "platform/video/video_file.h"

namespace starquill {
namespace {

class VideoSink : public RecordingSink {
 public:
  explicit VideoSink(VideoFile& file) : file_(file) {}
  std::optional<std::string> AddFrame(const uint32_t* pixels, int stride) override {
    return file_.AddFrame(pixels, stride);
  }
  std::optional<std::string> AddAudio(std::span<const float> stereo) override {
    return file_.AddAudio(stereo);
  }

 private:
  VideoFile& file_;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "starquill: %s\n", message.c_str());
  return 1;
}

}  // namespace

int RunRecording(const RunOptions& options) {
  const RecordOptions& record = *options.record;
  const std::string shown = Printable(record.file);
  // The file first: one that cannot be made is said before anything is rendered.
  auto created = VideoFile::Create(
      record.file,
      {.width = record.width, .height = record.height, .fps = record.fps, .audio = options.sound});
  if (auto* why = std::get_if<std::string>(&created)) return Fail("cannot record: " + *why);
  std::unique_ptr<VideoFile> video = std::move(std::get<std::unique_ptr<VideoFile>>(created));
  VideoSink sink(*video);

  const StopSignals stop;
  Recorder recorder(options);
  if (options.verbose) {
    std::fprintf(stderr, "starquill: seed %u (--seed %u records this show again)\n",
                 recorder.Seed(), recorder.Seed());
  }
  RecordProgress progress(record.quiet ? nullptr : stderr, isatty(STDERR_FILENO) == 1,
                          recorder.Frames(), record.fps);
  const auto started = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  };
  std::optional<std::string> error;
  while (!error && !recorder.Done() && !stop.Received()) {
    error = recorder.RecordFrame(sink);
    progress.Report(recorder.FramesDone(), elapsed());
  }
  if (!error) error = recorder.FinishSound(sink);
  progress.Done();

  const std::optional<std::string> unfinished = video->Finish();
  video.reset();
  if (error || unfinished) {
    // A file that could not be written to its end is not left behind as if it were done.
    std::error_code ignored;
    const bool removed = unfinished && std::filesystem::remove(record.file, ignored);
    return Fail("cannot record " + shown + ": " + (error ? *error : *unfinished) +
                (removed ? "; the unfinished file was removed"
                         : "; the file holds what was recorded until then"));
  }
  if (!record.quiet) {
    std::fprintf(stderr, "starquill: recorded %lld frames (%.2f s) into %s in %.1f s\n",
                 static_cast<long long>(recorder.FramesDone()),
                 static_cast<double>(recorder.FramesDone()) / record.fps, shown.c_str(), elapsed());
  }
  std::fflush(nullptr);
  if (const auto signal = stop.Received()) EndBySignal(*signal);
  return 0;
}

}  // namespace starquill
