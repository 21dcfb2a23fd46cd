#pragma once
// The exchange with an FFmpeg encoder: send it a frame (or the end), then hand every packet it
// has ready to a sink, the file's muxer.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace starquill {

// Takes a packet's data (leaving the packet blank or not); an error stops the exchange.
using PacketSink = std::function<std::optional<std::string>(AVPacket& packet)>;

// Sends `frame` (null: the end, after which the encoder gives all it still holds) and passes
// the packets that are ready to `sink`. `what` names the work in a failure's message.
std::optional<std::string> EncodeAndDrain(AVCodecContext& encoder, const AVFrame* frame,
                                          AVPacket& packet, const PacketSink& sink,
                                          std::string_view what);

}  // namespace starquill
