#pragma once
// A playback stream on the sound server through PulseAudio's simple API (PipeWire's pulse
// server too): interleaved stereo float frames, with a small server-side buffer for low
// latency. Writing blocks until the server has room for the data.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

struct pa_simple;

namespace starquill {

struct PulseStreamConfig {
  int sampleRate = 48000;
  int targetLatencyMs = 40;  // the whole way from a write to the speaker
  int blockMs = 10;          // the size of the writes
  std::string server;        // empty: the default server
};

class PulseStream {
 public:
  // The open stream, or nothing with the server's reason in `error`.
  static std::unique_ptr<PulseStream> Open(const PulseStreamConfig& config, std::string& error);
  ~PulseStream();
  PulseStream(const PulseStream&) = delete;
  PulseStream& operator=(const PulseStream&) = delete;

  // False, with the reason in `error`, when the server is gone.
  bool Write(std::span<const float> stereo, std::string& error);
  // How long a sample written now takes to be heard, when the server has said.
  std::optional<int64_t> LatencyMicroseconds();

 private:
  explicit PulseStream(pa_simple* stream) : stream_(stream) {}
  pa_simple* stream_;
};

}  // namespace starquill
