#pragma once
// FFmpeg's error codes as the reasons the video writer gives: one printable line each.

#include <string>
#include <string_view>

namespace starquill {

// FFmpeg's own wording of an error code ("No space left on device").
std::string FfmpegReason(int error);

// "<what>: <reason>", the form of every message the video writer returns.
std::string FfmpegFailure(std::string_view what, int error);

}  // namespace starquill
