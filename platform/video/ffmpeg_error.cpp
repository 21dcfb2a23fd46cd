#include "platform/video/ffmpeg_error.h"

#include "platform/support/printable.h"
#include "platform/video/ffmpeg.h"

namespace starquill {

std::string FfmpegReason(int error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, text, sizeof text);
  return Printable(text);
}

std::string FfmpegFailure(std::string_view what, int error) {
  return std::string(what) + ": " + FfmpegReason(error);
}

}  // namespace starquill
