#pragma once
// A container's video encoder fed with frames of 0xFFRRGGBB pixels: libswscale converts each
// into the encoder's pixel format and colour, and the encoder's packets go to a sink.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "platform/video/containers.h"
#include "platform/video/encoder_packets.h"
#include "platform/video/ffmpeg.h"
#include "platform/video/video_format.h"

namespace starquill {

class VideoEncoder {
 public:
  // `globalHeader`: the muxer wants the encoder's headers once, in the stream's parameters.
  static std::variant<std::unique_ptr<VideoEncoder>, std::string> Open(
      const VideoEncoderSettings& settings, const VideoFormat& format, bool globalHeader);

  const AVCodecContext& Context() const { return *encoder_; }

  // Encodes the next frame: height rows of width pixels, `stride` pixels apart.
  std::optional<std::string> Encode(const uint32_t* pixels, int stride, const PacketSink& sink);
  // Ends the stream: the encoder gives all the packets it still holds.
  std::optional<std::string> Flush(const PacketSink& sink);

 private:
  VideoEncoder() = default;

  ffmpeg::CodecContext encoder_;
  ffmpeg::Scaler scaler_;
  ffmpeg::Frame frame_;
  ffmpeg::Packet packet_;
  int64_t next_pts_ = 0;
};

}  // namespace starquill
