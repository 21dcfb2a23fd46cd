#include "platform/video/output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/support/printable.h"
#include "platform/video/ffmpeg_error.h"

namespace starquill {
namespace {

constexpr char kWriting[] = "cannot write the video file";

// Removes what a failed Create made: a regular file only, never a device or a link.
void RemoveIfRegularFile(const std::string& path) {
  struct stat status {};
  if (lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) unlink(path.c_str());
}

}  // namespace

std::variant<std::unique_ptr<OutputFile>, std::string> OutputFile::Prepare(
    const Container& container, const std::string& path) {
  std::unique_ptr<OutputFile> self(new OutputFile);
  self->container_ = &container;
  self->path_ = path;
  // "file:" keeps a name with a colon in it from being read as another protocol; the muxer
  // opens the file again by this name to move the index to the front.
  const std::string url = "file:" + path;
  const int allocated =
      avformat_alloc_output_context2(&self->format_, nullptr, container.muxer, url.c_str());
  if (allocated < 0) {
    return FfmpegFailure(std::string("FFmpeg cannot write ") + container.muxer, allocated);
  }
  // Each packet is flushed to the file as it is written, so that a full disk shows at the
  // frame that met it. The muxer holds at most a second of packets to interleave the streams,
  // even when one of them gets nothing. No version strings or random ids: the same frames
  // make the same file.
  self->format_->flags |= AVFMT_FLAG_FLUSH_PACKETS | AVFMT_FLAG_BITEXACT;
  self->format_->max_interleave_delta = AV_TIME_BASE;
  return self;
}

OutputFile::~OutputFile() {
  if (format_) avio_closep(&format_->pb);
  avformat_free_context(format_);
}

bool OutputFile::WantsGlobalHeaders() const {
  return format_->oformat->flags & AVFMT_GLOBALHEADER;
}

std::variant<int, std::string> OutputFile::AddStream(const AVCodecContext& encoder) {
  AVStream* stream = avformat_new_stream(format_, nullptr);
  if (!stream) return FfmpegFailure(kWriting, AVERROR(ENOMEM));
  if (const int copied = avcodec_parameters_from_context(stream->codecpar, &encoder); copied < 0) {
    return FfmpegFailure(kWriting, copied);
  }
  stream->time_base = encoder.time_base;
  if (encoder.codec_type == AVMEDIA_TYPE_VIDEO) {
    stream->avg_frame_rate = encoder.framerate;
    stream->r_frame_rate = encoder.framerate;
    stream->sample_aspect_ratio = encoder.sample_aspect_ratio;
  }
  return stream->index;
}

std::optional<std::string> OutputFile::Create() {
  const std::string where = " '" + Printable(path_) + "'";
  if (const int opened = avio_open2(&format_->pb, format_->url, AVIO_FLAG_WRITE, nullptr, nullptr);
      opened < 0) {
    return FfmpegFailure("cannot create the video file" + where, opened);
  }
  ffmpeg::Dictionary options;
  for (const CodecOption& option : container_->muxerOptions)
    options.Set(option.name, option.value);
  int written = avformat_write_header(format_, options.Address());
  if (written >= 0) {
    // The header may still sit in the file's buffer: write it now, so that a full disk or a
    // device that takes nothing fails here.
    avio_flush(format_->pb);
    written = format_->pb->error;
  }
  std::optional<std::string> failure;
  if (written < 0) {
    failure = FfmpegFailure(kWriting + where, written);
  } else if (const AVDictionaryEntry* unknown = options.First()) {
    failure =
        std::string("the muxer ") + container_->muxer + " has no option " + Printable(unknown->key);
  }
  if (failure) {
    avio_closep(&format_->pb);
    RemoveIfRegularFile(path_);
  }
  return failure;
}

std::optional<std::string> OutputFile::Write(AVPacket& packet, int stream,
                                             AVRational encoderTimeBase) {
  packet.stream_index = stream;
  av_packet_rescale_ts(&packet, encoderTimeBase, format_->streams[stream]->time_base);
  if (const int written = av_interleaved_write_frame(format_, &packet); written < 0) {
    return FfmpegFailure(kWriting, written);
  }
  return std::nullopt;
}

std::optional<std::string> OutputFile::Close() {
  std::optional<std::string> failure;
  if (const int written = av_write_trailer(format_); written < 0) {
    failure = FfmpegFailure(kWriting, written);
  }
  if (const int closed = avio_closep(&format_->pb); closed < 0 && !failure) {
    failure = FfmpegFailure(kWriting, closed);
  }
  return failure;
}

}  // namespace starquill
