#pragma once
// The file a container's muxer writes: its streams, the header, packets interleaved as they
// come, and the trailer. Written through FFmpeg's file protocol only, so that no name is taken
// for a URL.

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "platform/video/containers.h"
#include "platform/video/ffmpeg.h"

namespace starquill {

class OutputFile {
 public:
  // The muxer, ready for streams; nothing is created on disk yet.
  static std::variant<std::unique_ptr<OutputFile>, std::string> Prepare(const Container& container,
                                                                        const std::string& path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Whether the encoders must put their headers in the streams' parameters.
  bool WantsGlobalHeaders() const;
  // A stream with an open encoder's parameters; its index, or a failure.
  std::variant<int, std::string> AddStream(const AVCodecContext& encoder);

  // Creates the file and writes the header. On failure no file is left behind (a regular file
  // this created is removed; a device such as /dev/full is not touched).
  std::optional<std::string> Create();

  // Writes an encoder's packet, its times in `encoderTimeBase`, into a stream.
  std::optional<std::string> Write(AVPacket& packet, int stream, AVRational encoderTimeBase);

  // Writes what the muxer still holds and the trailer, and closes the file.
  std::optional<std::string> Close();

 private:
  OutputFile() = default;

  AVFormatContext* format_ = nullptr;
  const Container* container_ = nullptr;
  std::string path_;
};

}  // namespace starquill
