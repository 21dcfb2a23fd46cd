#pragma once
// A video file read back with libavformat and decoded with libavcodec, for the tests: what its
// streams say of themselves and everything they decode to.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libavutil/rational.h>
}

namespace starquill::testing {

struct DecodedVideo {
  std::string container;  // the demuxer's names ("mov,mp4,m4a,3gp,3g2,mj2", "matroska,webm")
  double seconds = 0;     // the file's duration

  std::string videoCodec;
  int profile = 0;
  int width = 0, height = 0;
  AVRational frameRate{0, 1};
  AVPixelFormat pixels = AV_PIX_FMT_NONE;
  AVColorSpace matrix = AVCOL_SPC_UNSPECIFIED;
  AVColorPrimaries primaries = AVCOL_PRI_UNSPECIFIED;
  AVColorTransferCharacteristic transfer = AVCOL_TRC_UNSPECIFIED;
  AVColorRange range = AVCOL_RANGE_UNSPECIFIED;
  std::vector<std::vector<uint32_t>> frames;  // as 0xFFRRGGBB, converted as the tags say
  std::vector<uint64_t> frameHashes;          // of each frame as the decoder gave it

  std::string audioCodec;  // empty without audio
  int sampleRate = 0, channels = 0;
  std::vector<float> audio;  // decoded, as interleaved stereo floats
};

// The file decoded, or why it cannot be.
std::variant<DecodedVideo, std::string> DecodeVideoFile(const std::string& path);

}  // namespace starquill::testing
