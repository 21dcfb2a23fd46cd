#include "platform/video/video_file.h"

#include <climits>

#include "platform/support/printable.h"
#include "platform/video/audio_encoder.h"
#include "platform/video/containers.h"
#include "platform/video/ffmpeg.h"
#include "platform/video/output_file.h"
#include "platform/video/video_encoder.h"

namespace starquill {
namespace {

constexpr int kMaxSide = 8192;
constexpr int kMaxFps = 240;

// The extension of the file name's last component, with its dot; empty without one.
std::string_view Extension(std::string_view path) {
  const std::string_view name = path.substr(path.find_last_of('/') + 1);
  const size_t dot = name.find_last_of('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// FFmpeg logs to standard error (x264's statistics, the muxers' notes, its errors); the writer
// gives every failure as its own one-line reason instead, so the log is silenced, once for the
// process (the video writer is the program's only user of FFmpeg).
void SilenceFfmpegLog() {
  [[maybe_unused]] static const bool silenced = (av_log_set_level(AV_LOG_QUIET), true);
}

std::optional<std::string> FormatProblem(const VideoFormat& format) {
  const auto fits = [](int side) { return side >= 2 && side <= kMaxSide && side % 2 == 0; };
  if (!fits(format.width) || !fits(format.height)) {
    return "the video size must be even numbers from 2 to " + std::to_string(kMaxSide) + ", not " +
           std::to_string(format.width) + "x" + std::to_string(format.height);
  }
  if (format.fps < 1 || format.fps > kMaxFps) {
    return "the video frame rate must be 1 to " + std::to_string(kMaxFps) +
           " frames a second, not " + std::to_string(format.fps);
  }
  return std::nullopt;
}

}  // namespace

struct VideoFile::State {
  VideoFormat format;
  std::unique_ptr<OutputFile> file;
  std::unique_ptr<VideoEncoder> video;
  std::unique_ptr<AudioEncoder> audio;  // null without audio
  int videoStream = -1;
  int audioStream = -1;
  PacketSink videoSink;
  PacketSink audioSink;
  int64_t frames = 0;
  std::optional<std::string> failure;  // the first one: the file takes nothing more
  bool finished = false;
};

std::vector<std::string> VideoFile::KnownExtensions() {
  std::vector<std::string> extensions;
  for (const Container& container : Containers())
    extensions.emplace_back(container.extension);
  return extensions;
}

std::variant<std::unique_ptr<VideoFile>, std::string> VideoFile::Create(const std::string& path,
                                                                        const VideoFormat& format) {
  const std::string_view extension = Extension(path);
  const Container* container = FindContainer(extension);
  if (!container) {
    if (extension.empty()) {
      return "the video file name '" + Printable(path) + "' has no extension: use " +
             KnownExtensionsText();
    }
    return "unknown video format '" + Printable(extension) + "': use " + KnownExtensionsText();
  }
  if (auto problem = FormatProblem(format)) return std::move(*problem);
  SilenceFfmpegLog();

  auto state = std::make_unique<State>();
  state->format = format;
  auto prepared = OutputFile::Prepare(*container, path);
  if (auto* failure = std::get_if<std::string>(&prepared)) return std::move(*failure);
  state->file = std::move(std::get<std::unique_ptr<OutputFile>>(prepared));
  const bool globalHeaders = state->file->WantsGlobalHeaders();

  // The encoders open before the file is created, so that one that cannot leaves no file.
  auto video = VideoEncoder::Open(container->video, format, globalHeaders);
  if (auto* failure = std::get_if<std::string>(&video)) return std::move(*failure);
  state->video = std::move(std::get<std::unique_ptr<VideoEncoder>>(video));
  auto stream = state->file->AddStream(state->video->Context());
  if (auto* failure = std::get_if<std::string>(&stream)) return std::move(*failure);
  state->videoStream = std::get<int>(stream);
  if (format.audio) {
    auto audio = AudioEncoder::Open(container->audio, globalHeaders);
    if (auto* failure = std::get_if<std::string>(&audio)) return std::move(*failure);
    state->audio = std::move(std::get<std::unique_ptr<AudioEncoder>>(audio));
    auto audioStream = state->file->AddStream(state->audio->Context());
    if (auto* failure = std::get_if<std::string>(&audioStream)) return std::move(*failure);
    state->audioStream = std::get<int>(audioStream);
  }
  if (auto failure = state->file->Create()) return std::move(*failure);

  State* p = state.get();
  p->videoSink = [p](AVPacket& packet) {
    return p->file->Write(packet, p->videoStream, p->video->Context().time_base);
  };
  p->audioSink = [p](AVPacket& packet) {
    return p->file->Write(packet, p->audioStream, p->audio->Context().time_base);
  };
  return std::unique_ptr<VideoFile>(new VideoFile(std::move(state)));
}

VideoFile::VideoFile(std::unique_ptr<State> state) : state_(std::move(state)) {}

VideoFile::~VideoFile() {
  Finish();
}

std::optional<std::string> VideoFile::Failed(std::optional<std::string> failure) {
  if (failure && !state_->failure) state_->failure = failure;
  return failure;
}

std::optional<std::string> VideoFile::AddFrame(const uint32_t* pixels, int stride) {
  State& p = *state_;
  if (p.finished) return "the video file is finished and takes no more frames";
  if (p.failure) return p.failure;
  if (!pixels) return "a video frame without pixels";
  if (stride < p.format.width || stride > INT_MAX / static_cast<int>(sizeof(uint32_t))) {
    return "a video frame's rows " + std::to_string(stride) + " pixels apart cannot hold " +
           std::to_string(p.format.width) + " pixels each";
  }
  if (auto failure = Failed(p.video->Encode(pixels, stride, p.videoSink))) return failure;
  ++p.frames;
  return std::nullopt;
}

std::optional<std::string> VideoFile::AddAudio(std::span<const float> stereo) {
  State& p = *state_;
  if (p.finished) return "the video file is finished and takes no more audio";
  if (p.failure) return p.failure;
  if (!p.audio) return "the video file was made without audio";
  if (stereo.size() % 2 != 0) {
    return "audio comes in pairs of samples (left, right), not " + std::to_string(stereo.size());
  }
  return Failed(p.audio->Add(stereo, p.audioSink));
}

std::optional<std::string> VideoFile::Finish() {
  State& p = *state_;
  if (p.finished) return p.failure;
  p.finished = true;
  // Every step is tried even after a failure, so that as much of the file as can be written
  // plays; the first failure is the one reported.
  Failed(p.video->Flush(p.videoSink));
  if (p.audio) Failed(p.audio->Flush(p.audioSink));
  Failed(p.file->Close());
  return p.failure;
}

int64_t VideoFile::FramesWritten() const {
  return state_->frames;
}

}  // namespace starquill
