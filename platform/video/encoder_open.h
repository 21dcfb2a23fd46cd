#pragma once
// Opening one of FFmpeg's encoders by name with the settings of a container.

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "platform/video/containers.h"
#include "platform/video/ffmpeg.h"

namespace starquill {

// The open encoder, or why it cannot be opened: not built into this FFmpeg, refused by it
// with the fields `configure` sets, or given an option it does not know.
std::variant<ffmpeg::CodecContext, std::string> OpenEncoder(
    const char* name, const std::vector<CodecOption>& options,
    const std::function<void(AVCodecContext&)>& configure);

}  // namespace starquill
