#pragma once
// A container's audio encoder fed with interleaved stereo float samples at 48 kHz, in blocks of
// any size: they wait in a FIFO until they fill one of the encoder's frames, libswresample
// converts each frame into the encoder's sample format, and the packets go to a sink.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/video/containers.h"
#include "platform/video/encoder_packets.h"
#include "platform/video/ffmpeg.h"

namespace starquill {

class AudioEncoder {
 public:
  static constexpr int kSampleRate = 48000;

  static std::variant<std::unique_ptr<AudioEncoder>, std::string> Open(
      const AudioEncoderSettings& settings, bool globalHeader);

  const AVCodecContext& Context() const { return *encoder_; }

  // Takes an even number of samples (L, R pairs); encodes every frame they complete.
  std::optional<std::string> Add(std::span<const float> stereo, const PacketSink& sink);
  // Encodes what is left as a last, shorter frame and ends the stream.
  std::optional<std::string> Flush(const PacketSink& sink);

 private:
  AudioEncoder() = default;
  std::optional<std::string> EncodeFromFifo(int pairs, const PacketSink& sink);

  ffmpeg::CodecContext encoder_;
  ffmpeg::Resampler converter_;
  ffmpeg::AudioFifo fifo_;  // interleaved float pairs, less than a frame
  ffmpeg::Frame frame_;
  ffmpeg::Packet packet_;
  int frame_pairs_ = 0;  // sample pairs in one of the encoder's frames
  std::vector<float> chunk_;
  int64_t next_pts_ = 0;
};

}  // namespace starquill
