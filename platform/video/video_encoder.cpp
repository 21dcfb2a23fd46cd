#include "platform/video/video_encoder.h"

#include "platform/video/encoder_open.h"
#include "platform/video/ffmpeg_error.h"

namespace starquill {
namespace {

// The program's pixels are native 32-bit words 0xFFRRGGBB: libswscale's 0RGB32, which is the
// bytes B, G, R, X (BGR0) on a little-endian machine.
constexpr AVPixelFormat kProgramPixels = AV_PIX_FMT_0RGB32;
constexpr char kEncoding[] = "cannot encode a video frame";

// Chroma is computed for every pixel, then filtered down to 4:2:0: a single coloured pixel keeps
// a share of its colour instead of being sampled away (as the nearest-pixel filter would). It
// is also libswscale's quicker way from 0RGB32 to 4:2:0 here.
constexpr int kScalerFlags = SWS_BILINEAR | SWS_FULL_CHR_H_INP;

bool IsRgb(AVPixelFormat format) {
  const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(format);
  return descriptor && (descriptor->flags & AV_PIX_FMT_FLAG_RGB);
}

}  // namespace

std::variant<std::unique_ptr<VideoEncoder>, std::string> VideoEncoder::Open(
    const VideoEncoderSettings& settings, const VideoFormat& format, bool globalHeader) {
  auto opened = OpenEncoder(settings.encoder, settings.options, [&](AVCodecContext& c) {
    c.width = format.width;
    c.height = format.height;
    c.sample_aspect_ratio = {1, 1};
    c.time_base = {1, format.fps};
    c.framerate = {format.fps, 1};
    c.pix_fmt = settings.pixels;
    c.color_primaries = AVCOL_PRI_BT709;
    c.color_trc = AVCOL_TRC_BT709;
    c.colorspace = settings.matrix;
    c.color_range = settings.range;
    c.gop_size = settings.keyframeSeconds > 0 ? settings.keyframeSeconds * format.fps : 1;
    if (globalHeader) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  });
  if (auto* failure = std::get_if<std::string>(&opened)) return std::move(*failure);

  std::unique_ptr<VideoEncoder> self(new VideoEncoder);
  self->encoder_ = std::move(std::get<ffmpeg::CodecContext>(opened));
  const AVCodecContext& c = *self->encoder_;
  self->scaler_.reset(sws_getContext(c.width, c.height, kProgramPixels, c.width, c.height,
                                     c.pix_fmt, kScalerFlags, nullptr, nullptr, nullptr));
  if (!self->scaler_) {
    return std::string("libswscale cannot convert the pixels to ") + av_get_pix_fmt_name(c.pix_fmt);
  }
  if (!IsRgb(c.pix_fmt)) {
    // Full-range RGB into limited-range BT.709 YUV, as the stream is tagged.
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    if (sws_setColorspaceDetails(self->scaler_.get(), bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16) <
        0) {
      return std::string("libswscale cannot convert the pixels to BT.709");
    }
  }
  self->frame_.reset(av_frame_alloc());
  self->packet_.reset(av_packet_alloc());
  if (!self->frame_ || !self->packet_) return FfmpegFailure(kEncoding, AVERROR(ENOMEM));
  AVFrame& frame = *self->frame_;
  frame.format = c.pix_fmt;
  frame.width = c.width;
  frame.height = c.height;
  frame.color_primaries = c.color_primaries;
  frame.color_trc = c.color_trc;
  frame.colorspace = c.colorspace;
  frame.color_range = c.color_range;
  if (const int allocated = av_frame_get_buffer(&frame, 0); allocated < 0) {
    return FfmpegFailure(kEncoding, allocated);
  }
  return self;
}

std::optional<std::string> VideoEncoder::Encode(const uint32_t* pixels, int stride,
                                                const PacketSink& sink) {
  AVFrame& frame = *frame_;
  // The encoder may still hold the last frame's buffer; then this one gets a new one.
  if (const int writable = av_frame_make_writable(&frame); writable < 0) {
    return FfmpegFailure(kEncoding, writable);
  }
  const uint8_t* const source[] = {reinterpret_cast<const uint8_t*>(pixels)};
  const int sourceStride[] = {stride * static_cast<int>(sizeof(uint32_t))};
  const int rows =
      sws_scale(scaler_.get(), source, sourceStride, 0, frame.height, frame.data, frame.linesize);
  if (rows < 0) return FfmpegFailure(kEncoding, rows);
  frame.pts = next_pts_++;
  return EncodeAndDrain(*encoder_, &frame, *packet_, sink, kEncoding);
}

std::optional<std::string> VideoEncoder::Flush(const PacketSink& sink) {
  return EncodeAndDrain(*encoder_, nullptr, *packet_, sink, kEncoding);
}

}  // namespace starquill
