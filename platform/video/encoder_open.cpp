#include "platform/video/encoder_open.h"

#include "platform/support/printable.h"
#include "platform/video/ffmpeg_error.h"

namespace starquill {

std::variant<ffmpeg::CodecContext, std::string> OpenEncoder(
    const char* name, const std::vector<CodecOption>& options,
    const std::function<void(AVCodecContext&)>& configure) {
  const AVCodec* codec = avcodec_find_encoder_by_name(name);
  if (!codec) return std::string("FFmpeg has no encoder ") + name;
  ffmpeg::CodecContext context(avcodec_alloc_context3(codec));
  if (!context)
    return FfmpegFailure(std::string("cannot open the encoder ") + name, AVERROR(ENOMEM));
  configure(*context);
  ffmpeg::Dictionary settings;
  for (const CodecOption& option : options)
    settings.Set(option.name, option.value);
  if (const int opened = avcodec_open2(context.get(), codec, settings.Address()); opened < 0) {
    return FfmpegFailure(std::string("cannot open the encoder ") + name, opened);
  }
  // An option left over is one the encoder does not have: a setting that would silently
  // not apply.
  if (const AVDictionaryEntry* unknown = settings.First()) {
    return std::string("the encoder ") + name + " has no option " + Printable(unknown->key);
  }
  return context;
}

}  // namespace starquill
