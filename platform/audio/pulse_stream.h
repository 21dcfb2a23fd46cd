#pragma once
// A playback stream on the sound server through PulseAudio's asynchronous API (PipeWire's
// pulse server too): interleaved stereo float frames, with a small server-side buffer for low
// latency. The connection's own thread asks for the sound as the server wants it, block by
// block, so that one thread wakes per block and renders it at once.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace starquill {

struct PulseStreamConfig {
  int sampleRate = 48000;
  int targetLatencyMs = 40;  // the whole way from a write to the speaker
  int blockMs = 10;          // the size of the writes
  std::string server;        // empty: the default server
};

// What streams played, counted as they play; read from any thread.
struct PulseStreamCounters {
  std::atomic<uint64_t> blocks{0};     // blocks written
  std::atomic<uint64_t> underruns{0};  // times the server ran out of sound to play
  std::atomic<int64_t> latencyUs{-1};  // after the last write: until a sample written then is heard
  std::atomic<int64_t> maxLatencyUs{-1};
};

class PulseStream {
 public:
  // Fills a block of interleaved stereo frames; runs on the stream's thread.
  using Fill = std::function<void(std::span<float> stereo)>;

  // The open, playing stream, or nothing with the server's reason in `error`. `lost` runs
  // (on the stream's thread) once the connection fails; `fill` is called from the moment the
  // stream opens until it is destroyed, never after. The counters must outlive the stream.
  static std::unique_ptr<PulseStream> Open(const PulseStreamConfig& config, Fill fill,
                                           std::function<void()> lost,
                                           PulseStreamCounters& counters, std::string& error);
  ~PulseStream();
  PulseStream(const PulseStream&) = delete;
  PulseStream& operator=(const PulseStream&) = delete;

  // Why the connection failed; empty while it holds.
  std::string Failure() const;

  struct Connection;

 private:
  explicit PulseStream(PulseStreamCounters& counters);
  void Write(size_t bytes);
  void StateChanged(bool good);

  std::unique_ptr<Connection> connection_;
  Fill fill_;
  std::function<void()> lost_;
  size_t block_frames_ = 0;
  PulseStreamCounters& counters_;
};

}  // namespace starquill
