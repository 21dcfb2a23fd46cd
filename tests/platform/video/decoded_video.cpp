#include "tests/platform/video/decoded_video.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <optional>

namespace starquill::testing {
namespace {

struct Input {
  ~Input() {
    avcodec_free_context(&video);
    avcodec_free_context(&audio);
    avformat_close_input(&format);
    av_frame_free(&frame);
    av_packet_free(&packet);
    swr_free(&resampler);
  }
  AVFormatContext* format = nullptr;
  AVCodecContext* video = nullptr;
  AVCodecContext* audio = nullptr;
  int videoIndex = -1, audioIndex = -1;
  AVFrame* frame = av_frame_alloc();
  AVPacket* packet = av_packet_alloc();
  SwrContext* resampler = nullptr;  // the audio decoder's samples as interleaved floats
};

uint64_t Fnv1a(const uint8_t* data, size_t size) {
  uint64_t hash = 14695981039346656037ull;
  for (size_t i = 0; i < size; ++i)
    hash = (hash ^ data[i]) * 1099511628211ull;
  return hash;
}

std::string Reason(const char* what, int error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, text, sizeof text);
  return std::string(what) + ": " + text;
}

AVCodecContext* OpenDecoder(const AVStream& stream) {
  const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
  AVCodecContext* context = codec ? avcodec_alloc_context3(codec) : nullptr;
  if (!context) return nullptr;
  context->thread_count = 1;
  if (avcodec_parameters_to_context(context, stream.codecpar) < 0 ||
      avcodec_open2(context, codec, nullptr) < 0) {
    avcodec_free_context(&context);
  }
  return context;
}

std::optional<std::string> TakeVideoFrame(const AVFrame& frame, DecodedVideo& out) {
  const auto format = static_cast<AVPixelFormat>(frame.format);
  const int bytes = av_image_get_buffer_size(format, frame.width, frame.height, 1);
  std::vector<uint8_t> planes(static_cast<size_t>(bytes));
  av_image_copy_to_buffer(planes.data(), bytes, frame.data, frame.linesize, format, frame.width,
                          frame.height, 1);
  out.frameHashes.push_back(Fnv1a(planes.data(), planes.size()));

  std::vector<uint32_t> pixels(static_cast<size_t>(frame.width) * frame.height);
  SwsContext* scaler = sws_getContext(frame.width, frame.height, format, frame.width, frame.height,
                                      AV_PIX_FMT_0RGB32, SWS_POINT, nullptr, nullptr, nullptr);
  if (!scaler) return std::string("cannot convert the frames to RGB");
  const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
  sws_setColorspaceDetails(scaler, bt709, frame.color_range == AVCOL_RANGE_JPEG, bt709, 1, 0,
                           1 << 16, 1 << 16);
  uint8_t* destination[] = {reinterpret_cast<uint8_t*>(pixels.data())};
  const int destinationStride[] = {frame.width * 4};
  sws_scale(scaler, frame.data, frame.linesize, 0, frame.height, destination, destinationStride);
  sws_freeContext(scaler);
  for (uint32_t& pixel : pixels)
    pixel |= 0xFF000000u;
  out.frames.push_back(std::move(pixels));
  return std::nullopt;
}

std::optional<std::string> TakeAudioFrame(const AVFrame& frame, SwrContext*& resampler,
                                          DecodedVideo& out) {
  if (!resampler) {
    AVChannelLayout stereo{};
    av_channel_layout_default(&stereo, 2);
    AVChannelLayout layout{};
    av_channel_layout_copy(&layout, &frame.ch_layout);
    const int made = swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_FLT, frame.sample_rate,
                                         &layout, static_cast<AVSampleFormat>(frame.format),
                                         frame.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&layout);
    if (made < 0 || swr_init(resampler) < 0) return std::string("cannot convert the audio");
  }
  const size_t at = out.audio.size();
  out.audio.resize(at + 2 * static_cast<size_t>(frame.nb_samples));
  uint8_t* destination[] = {reinterpret_cast<uint8_t*>(out.audio.data() + at)};
  const int converted =
      swr_convert(resampler, destination, frame.nb_samples,
                  const_cast<const uint8_t**>(frame.extended_data), frame.nb_samples);
  if (converted != frame.nb_samples) return std::string("cannot convert the audio");
  return std::nullopt;
}

// Sends a packet (null: the end) and takes every frame the decoder has ready.
std::optional<std::string> Decode(AVCodecContext& decoder, const AVPacket* packet, Input& in,
                                  DecodedVideo& out) {
  AVFrame& frame = *in.frame;
  if (const int sent = avcodec_send_packet(&decoder, packet); sent < 0) {
    return Reason("cannot decode", sent);
  }
  for (;;) {
    const int received = avcodec_receive_frame(&decoder, &frame);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return std::nullopt;
    if (received < 0) return Reason("cannot decode", received);
    std::optional<std::string> failure;
    if (decoder.codec_type == AVMEDIA_TYPE_VIDEO) {
      failure = TakeVideoFrame(frame, out);
    } else {
      failure = TakeAudioFrame(frame, in.resampler, out);
    }
    av_frame_unref(&frame);
    if (failure) return failure;
  }
}

}  // namespace

std::variant<DecodedVideo, std::string> DecodeVideoFile(const std::string& path) {
  Input in;
  const std::string url = "file:" + path;
  if (const int opened = avformat_open_input(&in.format, url.c_str(), nullptr, nullptr);
      opened < 0) {
    return Reason("cannot open", opened);
  }
  if (const int found = avformat_find_stream_info(in.format, nullptr); found < 0) {
    return Reason("cannot read the streams", found);
  }
  DecodedVideo out;
  out.container = in.format->iformat->name;
  out.seconds = static_cast<double>(in.format->duration) / AV_TIME_BASE;
  in.videoIndex = av_find_best_stream(in.format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  in.audioIndex = av_find_best_stream(in.format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (in.videoIndex < 0) return std::string("no video stream");
  const AVStream& video = *in.format->streams[in.videoIndex];
  const AVCodecParameters& v = *video.codecpar;
  out.videoCodec = avcodec_get_name(v.codec_id);
  out.profile = v.profile;
  out.width = v.width;
  out.height = v.height;
  out.frameRate = video.avg_frame_rate;
  out.pixels = static_cast<AVPixelFormat>(v.format);
  out.matrix = v.color_space;
  out.primaries = v.color_primaries;
  out.transfer = v.color_trc;
  out.range = v.color_range;
  in.video = OpenDecoder(video);
  if (!in.video) return std::string("cannot open the video decoder");
  if (in.audioIndex >= 0) {
    const AVStream& audio = *in.format->streams[in.audioIndex];
    out.audioCodec = avcodec_get_name(audio.codecpar->codec_id);
    out.sampleRate = audio.codecpar->sample_rate;
    out.channels = audio.codecpar->ch_layout.nb_channels;
    in.audio = OpenDecoder(audio);
    if (!in.audio) return std::string("cannot open the audio decoder");
  }
  for (;;) {
    const int read = av_read_frame(in.format, in.packet);
    if (read == AVERROR_EOF) break;
    if (read < 0) return Reason("cannot read", read);
    AVCodecContext* decoder = in.packet->stream_index == in.videoIndex   ? in.video
                              : in.packet->stream_index == in.audioIndex ? in.audio
                                                                         : nullptr;
    std::optional<std::string> failure;
    if (decoder) failure = Decode(*decoder, in.packet, in, out);
    av_packet_unref(in.packet);
    if (failure) return *failure;
  }
  if (auto failure = Decode(*in.video, nullptr, in, out)) return *failure;
  if (in.audio) {
    if (auto failure = Decode(*in.audio, nullptr, in, out)) return *failure;
  }
  return out;
}

}  // namespace starquill::testing
