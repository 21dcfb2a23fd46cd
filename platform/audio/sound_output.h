#pragma once
// The program's audio output: the sound server's connection thread (the program's audio
// thread) has an AudioSource render blocks of 10 ms as the server asks for them, keeping about
// 40 ms queued; a worker thread opens the connection and opens it again when it fails. Without
// a server it says so in one line ("starquill: no sound: ...") and stays silent; when the
// server goes away it says so in one line and tries again about every second, so that sound
// resumes when a server is back. Nothing here ever makes the calling thread wait on the
// server, except Stop, which is over within 100 ms.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/audio/audio_source.h"
#include "platform/audio/pulse_stream.h"

namespace starquill {

namespace detail {
struct AudioWorkerState;
}

struct SoundOutputOptions {
  PulseStreamConfig stream;
  std::chrono::milliseconds retryInterval{1000};
  // Where the one-line reports go (from the output's worker, which waits for it alone; one may
  // still be under way when Stop gives up on the worker); standard error when empty.
  std::function<void(const std::string&)> report;
};

struct SoundOutputStats {
  bool playing = false;      // a stream is open
  uint32_t connections = 0;  // streams opened so far
  uint64_t blocksWritten = 0;
  int64_t latencyUs = -1;  // after the last write: until a sample written then is heard
  int64_t maxLatencyUs = -1;
  uint64_t underruns = 0;  // times the server ran out of sound to play: gaps in the sound
};

class SoundOutput {
 public:
  explicit SoundOutput(AudioSource& source, SoundOutputOptions options = {});
  ~SoundOutput();
  SoundOutput(const SoundOutput&) = delete;
  SoundOutput& operator=(const SoundOutput&) = delete;

  void Start();
  // Once Stop returns the source is never called again. A worker held up by a server that
  // does not answer, or by a report that cannot be written, is left behind to end on its own.
  void Stop();

  SoundOutputStats Stats() const;

 private:
  std::shared_ptr<detail::AudioWorkerState> shared_;
  SoundOutputOptions options_;
  std::thread worker_;
};

}  // namespace starquill
