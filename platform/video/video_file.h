#pragma once
// A video file written with FFmpeg's libraries: frames of pixels and, when asked for, blocks of
// stereo audio samples, encoded as they come and interleaved into the container of the file's
// extension. It knows nothing of what the frames show. One thread at a time.
//
// .mp4  H.264 (High profile, 4:2:0) and AAC, the index at the front: plays everywhere.
// .webm VP9 (4:2:0) and Opus.
// .mkv  FFV1 in RGB and FLAC, both lossless: decoded, its frames are exactly the pixels given.
// The lossy formats are BT.709 limited range, the lossless one RGB, and the streams say so.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/video/video_format.h"

namespace starquill {

class VideoFile {
 public:
  // The containers known, by file extension, lower case with the dot: ".mp4", ".webm", ".mkv".
  static std::vector<std::string> KnownExtensions();

  // Creates the file (the container from its extension, compared without case) and its
  // streams, and writes the header: the file exists once this returns. An unknown extension,
  // a size or rate out of range, a file that cannot be created (no such folder, no
  // permission) or an encoder that cannot be opened gives the reason instead, in one printable
  // line (no newline), and no file.
  static std::variant<std::unique_ptr<VideoFile>, std::string> Create(const std::string& path,
                                                                      const VideoFormat& format);

  // Without Finish: the file is finished as far as it went (as Finish does).
  ~VideoFile();
  VideoFile(const VideoFile&) = delete;
  VideoFile& operator=(const VideoFile&) = delete;

  // The next frame: height rows of width pixels, each 0xFFRRGGBB as a uint32_t (red in bits
  // 16-23, the top byte ignored), `stride` pixels (at least width) from one row to the next.
  // A failure to encode or write (a full disk) gives its reason; the file then takes no more
  // frames or audio (each call gives that first reason again) but Finish still tries to
  // finish it. Pixels that are not there (null, a stride below the width) are refused with
  // a reason, and the file goes on.
  std::optional<std::string> AddFrame(const uint32_t* pixels, int stride);

  // Audio: interleaved stereo float samples (L, R, L, R...) at 48 kHz, in [-1, 1] (beyond is
  // clipped, NaN is silence), any number of sample pairs at a time; they are buffered into the
  // encoder's frame size. Audio and video are written in step: the audio given between two
  // frames belongs between them, the audio's time being the count of pairs given so far (so
  // 48000 / fps pairs a frame keep them together). A file without audio refuses it, as it
  // refuses an odd number of samples, and goes on.
  std::optional<std::string> AddAudio(std::span<const float> stereo);

  // Flushes the encoders, writes the trailer and closes the file: a file that plays, whose
  // duration is what was given so far. Returns the first error, if any (then the caller removes
  // the file when it wants to; Finish does not remove anything). Later calls return the same.
  std::optional<std::string> Finish();

  // The frames AddFrame has taken so far.
  int64_t FramesWritten() const;

 private:
  struct State;
  explicit VideoFile(std::unique_ptr<State> state);
  std::optional<std::string> Failed(std::optional<std::string> failure);

  std::unique_ptr<State> state_;
};

}  // namespace starquill
