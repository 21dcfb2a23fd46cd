#include "platform/video/audio_encoder.h"

#include <algorithm>
#include <cmath>

#include "platform/video/encoder_open.h"
#include "platform/video/ffmpeg_error.h"

namespace starquill {
namespace {

constexpr char kEncoding[] = "cannot encode the audio";
constexpr int kVariableFramePairs = 1024;  // for an encoder that takes frames of any size

// Samples outside [-1, 1] are clipped, and NaN is silence: some encoders refuse a frame with
// NaN or infinity in it, and the integer ones would overflow.
float Clipped(float sample) {
  return std::isnan(sample) ? 0.0f : std::clamp(sample, -1.0f, 1.0f);
}

}  // namespace

std::variant<std::unique_ptr<AudioEncoder>, std::string> AudioEncoder::Open(
    const AudioEncoderSettings& settings, bool globalHeader) {
  auto opened = OpenEncoder(settings.encoder, settings.options, [&](AVCodecContext& c) {
    c.sample_fmt = settings.samples;
    c.sample_rate = kSampleRate;
    av_channel_layout_default(&c.ch_layout, 2);
    c.time_base = {1, kSampleRate};
    c.bit_rate = settings.bitRate;
    c.bits_per_raw_sample = settings.bitsPerSample;
    if (globalHeader) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  });
  if (auto* failure = std::get_if<std::string>(&opened)) return std::move(*failure);

  std::unique_ptr<AudioEncoder> self(new AudioEncoder);
  self->encoder_ = std::move(std::get<ffmpeg::CodecContext>(opened));
  AVCodecContext& c = *self->encoder_;  // FFmpeg 5.1's libswresample takes the layout unconst
  self->frame_pairs_ = c.frame_size > 0 ? c.frame_size : kVariableFramePairs;

  SwrContext* converter = nullptr;
  const int configured =
      swr_alloc_set_opts2(&converter, &c.ch_layout, c.sample_fmt, kSampleRate, &c.ch_layout,
                          AV_SAMPLE_FMT_FLT, kSampleRate, 0, nullptr);
  self->converter_.reset(converter);
  if (configured < 0) return FfmpegFailure(kEncoding, configured);
  if (const int initialised = swr_init(converter); initialised < 0) {
    return FfmpegFailure(kEncoding, initialised);
  }
  self->fifo_.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLT, 2, self->frame_pairs_));
  self->frame_.reset(av_frame_alloc());
  self->packet_.reset(av_packet_alloc());
  if (!self->fifo_ || !self->frame_ || !self->packet_) {
    return FfmpegFailure(kEncoding, AVERROR(ENOMEM));
  }
  AVFrame& frame = *self->frame_;
  frame.format = c.sample_fmt;
  frame.sample_rate = kSampleRate;
  frame.nb_samples = self->frame_pairs_;
  if (const int copied = av_channel_layout_copy(&frame.ch_layout, &c.ch_layout); copied < 0) {
    return FfmpegFailure(kEncoding, copied);
  }
  if (const int allocated = av_frame_get_buffer(&frame, 0); allocated < 0) {
    return FfmpegFailure(kEncoding, allocated);
  }
  self->chunk_.resize(2 * static_cast<size_t>(self->frame_pairs_));
  return self;
}

std::optional<std::string> AudioEncoder::Add(std::span<const float> stereo,
                                             const PacketSink& sink) {
  // A chunk at a time, at most what completes the frame waiting in the FIFO: the FIFO never
  // holds more than one frame, however much comes at once.
  while (stereo.size() >= 2) {
    const int room = frame_pairs_ - av_audio_fifo_size(fifo_.get());
    const size_t pairs = std::min(stereo.size() / 2, static_cast<size_t>(room));
    std::transform(stereo.begin(), stereo.begin() + 2 * pairs, chunk_.begin(), Clipped);
    stereo = stereo.subspan(2 * pairs);
    void* data[] = {chunk_.data()};
    const int count = static_cast<int>(pairs);
    if (const int written = av_audio_fifo_write(fifo_.get(), data, count); written < count) {
      return FfmpegFailure(kEncoding, written < 0 ? written : AVERROR(ENOMEM));
    }
    if (av_audio_fifo_size(fifo_.get()) == frame_pairs_) {
      if (auto failure = EncodeFromFifo(frame_pairs_, sink)) return failure;
    }
  }
  return std::nullopt;
}

std::optional<std::string> AudioEncoder::Flush(const PacketSink& sink) {
  if (const int left = av_audio_fifo_size(fifo_.get()); left > 0) {
    int pairs = left;
    if (!(encoder_->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME)) {
      // This encoder takes whole frames only: the last one ends in silence.
      std::fill(chunk_.begin(), chunk_.end(), 0.0f);
      void* data[] = {chunk_.data()};
      pairs = frame_pairs_;
      if (const int written = av_audio_fifo_write(fifo_.get(), data, pairs - left);
          written < pairs - left) {
        return FfmpegFailure(kEncoding, written < 0 ? written : AVERROR(ENOMEM));
      }
    }
    if (auto failure = EncodeFromFifo(pairs, sink)) return failure;
  }
  return EncodeAndDrain(*encoder_, nullptr, *packet_, sink, kEncoding);
}

std::optional<std::string> AudioEncoder::EncodeFromFifo(int pairs, const PacketSink& sink) {
  void* data[] = {chunk_.data()};
  if (const int read = av_audio_fifo_read(fifo_.get(), data, pairs); read < pairs) {
    return FfmpegFailure(kEncoding, read < 0 ? read : AVERROR_BUG);
  }
  AVFrame& frame = *frame_;
  if (const int writable = av_frame_make_writable(&frame); writable < 0) {
    return FfmpegFailure(kEncoding, writable);
  }
  const uint8_t* source[] = {reinterpret_cast<const uint8_t*>(chunk_.data())};
  const int converted = swr_convert(converter_.get(), frame.data, pairs, source, pairs);
  if (converted < 0) return FfmpegFailure(kEncoding, converted);
  frame.nb_samples = converted;
  frame.pts = next_pts_;
  next_pts_ += converted;
  return EncodeAndDrain(*encoder_, &frame, *packet_, sink, kEncoding);
}

}  // namespace starquill
