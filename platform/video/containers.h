#pragma once
// The containers the video writer knows, each with its muxer and the encoders it writes,
// and every setting handed to them (the choices and their reasons are in containers.cpp).

#include <string>
#include <string_view>
#include <vector>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libavutil/samplefmt.h>
}

namespace starquill {

struct CodecOption {
  const char* name;
  const char* value;
};

struct VideoEncoderSettings {
  const char* encoder;  // FFmpeg's name of the encoder
  AVPixelFormat pixels;
  // The colour the pixels are tagged with, so that players show them as they were drawn.
  AVColorSpace matrix;
  AVColorRange range;
  int keyframeSeconds;  // 0: every frame a keyframe
  std::vector<CodecOption> options;
};

struct AudioEncoderSettings {
  const char* encoder;
  AVSampleFormat samples;
  int bitsPerSample;  // of a lossless encoder's samples; 0 for the others
  int64_t bitRate;    // 0 for a lossless encoder
  std::vector<CodecOption> options;
};

struct Container {
  const char* extension;  // lower case, with the dot
  const char* muxer;      // FFmpeg's name of the muxer
  std::vector<CodecOption> muxerOptions;
  VideoEncoderSettings video;
  AudioEncoderSettings audio;
};

const std::vector<Container>& Containers();

// The container of a file name's extension (compared without case), or null.
const Container* FindContainer(std::string_view extension);

// The known extensions as a message lists them: ".mp4, .webm or .mkv".
std::string KnownExtensionsText();

}  // namespace starquill
