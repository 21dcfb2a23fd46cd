#pragma once
// FFmpeg's C headers, as the video writer's files include them, and owners for the objects
// they allocate, so that every path out of a function frees them.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace starquill::ffmpeg {

struct FreeCodecContext {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FreeFrame {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct FreePacket {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FreeScaler {
  void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct FreeResampler {
  void operator()(SwrContext* s) const { swr_free(&s); }
};
struct FreeAudioFifo {
  void operator()(AVAudioFifo* f) const { av_audio_fifo_free(f); }
};

using CodecContext = std::unique_ptr<AVCodecContext, FreeCodecContext>;
using Frame = std::unique_ptr<AVFrame, FreeFrame>;
using Packet = std::unique_ptr<AVPacket, FreePacket>;
using Scaler = std::unique_ptr<SwsContext, FreeScaler>;
using Resampler = std::unique_ptr<SwrContext, FreeResampler>;
using AudioFifo = std::unique_ptr<AVAudioFifo, FreeAudioFifo>;

// Options for an FFmpeg call that takes an AVDictionary**, freed with the holder.
class Dictionary {
 public:
  Dictionary() = default;
  ~Dictionary() { av_dict_free(&entries_); }
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;

  void Set(const char* key, const char* value) { av_dict_set(&entries_, key, value, 0); }
  AVDictionary** Address() { return &entries_; }
  // The first entry left over (an option a call did not take), or null.
  const AVDictionaryEntry* First() const {
    return av_dict_get(entries_, "", nullptr, AV_DICT_IGNORE_SUFFIX);
  }

 private:
  AVDictionary* entries_ = nullptr;
};

}  // namespace starquill::ffmpeg
