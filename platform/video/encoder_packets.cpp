#include "platform/video/encoder_packets.h"

#include "platform/video/ffmpeg_error.h"

namespace starquill {

std::optional<std::string> EncodeAndDrain(AVCodecContext& encoder, const AVFrame* frame,
                                          AVPacket& packet, const PacketSink& sink,
                                          std::string_view what) {
  // Every packet is taken as soon as it is ready, so the encoder never refuses a frame for
  // want of room (EAGAIN) here.
  if (const int sent = avcodec_send_frame(&encoder, frame); sent < 0) {
    return FfmpegFailure(what, sent);
  }
  for (;;) {
    const int received = avcodec_receive_packet(&encoder, &packet);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return std::nullopt;
    if (received < 0) return FfmpegFailure(what, received);
    std::optional<std::string> failure = sink(packet);
    av_packet_unref(&packet);
    if (failure) return failure;
  }
}

}  // namespace starquill
