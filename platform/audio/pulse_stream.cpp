#include "platform/audio/pulse_stream.h"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace starquill {

std::unique_ptr<PulseStream> PulseStream::Open(const PulseStreamConfig& config,
                                               std::string& error) {
  pa_sample_spec spec{};
  spec.format = PA_SAMPLE_FLOAT32LE;
  spec.rate = static_cast<uint32_t>(config.sampleRate);
  spec.channels = 2;
  if (!pa_sample_spec_valid(&spec)) {
    error = "unusable sample rate";
    return nullptr;
  }
  pa_buffer_attr buffer{};
  buffer.maxlength = static_cast<uint32_t>(-1);
  buffer.tlength = static_cast<uint32_t>(
      pa_usec_to_bytes(static_cast<pa_usec_t>(config.targetLatencyMs) * 1000, &spec));
  // Playback starts with the first block written, and writes come a block at a time.
  buffer.minreq =
      static_cast<uint32_t>(pa_usec_to_bytes(static_cast<pa_usec_t>(config.blockMs) * 1000, &spec));
  buffer.prebuf = buffer.minreq;
  buffer.fragsize = static_cast<uint32_t>(-1);
  int code = 0;
  pa_simple* stream =
      pa_simple_new(config.server.empty() ? nullptr : config.server.c_str(), "Starquill",
                    PA_STREAM_PLAYBACK, nullptr, "Fireworks", &spec, nullptr, &buffer, &code);
  if (!stream) {
    error = pa_strerror(code);
    return nullptr;
  }
  return std::unique_ptr<PulseStream>(new PulseStream(stream));
}

PulseStream::~PulseStream() {
  pa_simple_free(stream_);
}

bool PulseStream::Write(std::span<const float> stereo, std::string& error) {
  int code = 0;
  if (pa_simple_write(stream_, stereo.data(), stereo.size_bytes(), &code) < 0) {
    error = pa_strerror(code);
    return false;
  }
  return true;
}

std::optional<int64_t> PulseStream::LatencyMicroseconds() {
  int code = 0;
  const pa_usec_t latency = pa_simple_get_latency(stream_, &code);
  if (latency == static_cast<pa_usec_t>(-1)) return std::nullopt;
  return static_cast<int64_t>(latency);
}

}  // namespace starquill
