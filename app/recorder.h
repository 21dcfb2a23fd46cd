#pragma once
// The show of a recording, frame by frame: the recording's course on a platform without a
// screen, whose manual clock runs the ticks, the launcher and the programme up to each video
// frame's moment; the frame is drawn there as the smooth look draws it, the keys of the
// schedule are pressed at their moments, and the sound is rendered beside it, so that each
// launch and burst is heard from its own moment's sample on. The same options give the same
// frames and samples every time.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "app/program.h"
#include "app/run_options.h"
#include "platform/toolkit/offscreen_platform.h"

namespace starquill {

// What a recording is written to: frames, and the sound that lies between them.
class RecordingSink {
 public:
  virtual ~RecordingSink() = default;
  // A frame of 0xFFRRGGBB pixels, rows `stride` pixels apart; the reason when it fails.
  virtual std::optional<std::string> AddFrame(const uint32_t* pixels, int stride) = 0;
  // Interleaved stereo samples at 48 kHz.
  virtual std::optional<std::string> AddAudio(std::span<const float> stereo) = 0;
};

class Recorder {
 public:
  // `options.record` must be set.
  explicit Recorder(const RunOptions& options);
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  uint32_t Seed() const { return program_.Seed(); }
  int64_t Frames() const { return frames_; }
  int64_t FramesDone() const { return done_; }
  bool Done() const { return done_ >= frames_ || platform_.Ended(); }

  // Renders the next frame, with the sound up to its moment, into the sink.
  std::optional<std::string> RecordFrame(RecordingSink& sink);
  // The sound on to the end of the last frame recorded.
  std::optional<std::string> FinishSound(RecordingSink& sink);

 private:
  class Sound;
  double MomentOf(int64_t frame) const { return static_cast<double>(frame) * 1000.0 / fps_; }
  std::optional<std::string> SoundTo(double ms, RecordingSink& sink);

  const RecordOptions record_;
  const int fps_;
  const int64_t frames_;
  OffscreenPlatform platform_;
  Program program_;
  std::unique_ptr<Sound> sound_;
  RecordingSink* sink_ = nullptr;     // while a frame is recorded: where the sound goes
  std::optional<std::string> error_;  // of the sound written while the clock ran
  size_t next_key_ = 0;
  int64_t done_ = 0;
};

}  // namespace starquill
