#include "platform/audio/sound_output.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <vector>

namespace starquill {
namespace {

constexpr std::chrono::milliseconds kStopWait{100};

// The audio thread writes a block every 10 ms and has about 40 ms of sound queued: on a busy
// machine a thread of ordinary priority can be kept waiting longer than that, and the sound
// breaks up. It asks for a low real-time priority (a round-robin one, which cannot starve
// its peers), else for a higher ordinary one; where neither is allowed it keeps what it has.
void RaiseThisThreadsPriority() {
  sched_param param{};
  param.sched_priority = std::min(5, sched_get_priority_max(SCHED_RR));
  if (pthread_setschedparam(pthread_self(), SCHED_RR, &param) == 0) return;
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10);
}

}  // namespace

namespace detail {

// What the worker shares with the object; it outlives the object when the worker is left
// behind.
struct AudioWorkerState {
  std::mutex mutex;
  std::condition_variable wake;
  AudioSource* source = nullptr;  // null once stopping
  bool exited = false;

  std::atomic<bool> playing{false};
  std::atomic<uint32_t> connections{0};
  std::atomic<uint64_t> blocksWritten{0};
  std::atomic<int64_t> latencyUs{-1};
  std::atomic<int64_t> maxLatencyUs{-1};
  std::atomic<uint64_t> lowBufferWrites{0};

  // Has the source render a block; false once stopping.
  bool Render(std::span<float> block) {
    std::lock_guard lock(mutex);
    if (!source) return false;
    source->Render(block);
    return true;
  }

  bool Drop() {
    std::lock_guard lock(mutex);
    if (!source) return false;
    source->Drop();
    return true;
  }

  // Waits for the interval, or less when stopping; false once stopping.
  bool Sleep(std::chrono::milliseconds interval) {
    std::unique_lock lock(mutex);
    return !wake.wait_for(lock, interval, [this] { return source == nullptr; });
  }

  void Report(const SoundOutputOptions& options, const std::string& line) {
    std::lock_guard lock(mutex);
    if (!source) return;
    if (options.report) {
      options.report(line);
    } else {
      std::fprintf(stderr, "%s\n", line.c_str());
    }
  }

  void Exit() {
    std::lock_guard lock(mutex);
    exited = true;
    wake.notify_all();
  }
};

}  // namespace detail

namespace {

using detail::AudioWorkerState;

// Renders and writes blocks until stopping (error empty) or the server fails (error says why).
void Play(AudioWorkerState& shared, PulseStream& stream, const SoundOutputOptions& options,
          std::string& error) {
  const int64_t blockFrames =
      static_cast<int64_t>(options.stream.sampleRate) * options.stream.blockMs / 1000;
  const int64_t blockUs = static_cast<int64_t>(options.stream.blockMs) * 1000;
  std::vector<float> block(static_cast<size_t>(std::max<int64_t>(blockFrames, 1)) * 2);
  bool filled = false;  // the buffer has held two blocks: it is no longer filling up
  error.clear();
  while (shared.Render(block)) {
    if (!stream.Write(block, error)) return;
    ++shared.blocksWritten;
    if (const auto latency = stream.LatencyMicroseconds()) {
      shared.latencyUs = *latency;
      if (*latency > shared.maxLatencyUs) shared.maxLatencyUs = *latency;
      if (filled && *latency < blockUs) ++shared.lowBufferWrites;
      filled |= *latency >= 2 * blockUs;
    }
  }
}

}  // namespace

SoundOutput::SoundOutput(AudioSource& source, SoundOutputOptions options)
    : shared_(std::make_shared<AudioWorkerState>()), options_(std::move(options)) {
  shared_->source = &source;
}

SoundOutput::~SoundOutput() {
  Stop();
}

void SoundOutput::Start() {
  if (worker_.joinable()) return;
  worker_ = std::thread([shared = shared_, options = options_] {
    RaiseThisThreadsPriority();
    bool quiet = false;  // a line was given since the last stream opened
    std::string error;
    while (true) {
      auto stream = PulseStream::Open(options.stream, error);
      if (!stream) {
        if (!quiet) shared->Report(options, "starquill: no sound: " + error);
        quiet = true;
        if (!shared->Drop() || !shared->Sleep(options.retryInterval)) break;
        continue;
      }
      quiet = false;
      // What was asked for while nothing could be heard is stale.
      if (!shared->Drop()) break;
      ++shared->connections;
      shared->playing = true;
      Play(*shared, *stream, options, error);
      shared->playing = false;
      if (error.empty()) break;  // stopping
      shared->Report(options, "starquill: sound lost: " + error + "; trying again");
      quiet = true;
      if (!shared->Sleep(options.retryInterval)) break;
    }
    shared->Exit();
  });
}

void SoundOutput::Stop() {
  if (!worker_.joinable()) return;
  std::unique_lock lock(shared_->mutex);
  shared_->source = nullptr;
  shared_->wake.notify_all();
  const bool exited = shared_->wake.wait_for(lock, kStopWait, [this] { return shared_->exited; });
  lock.unlock();
  if (exited) {
    worker_.join();
  } else {
    worker_.detach();
  }
}

SoundOutputStats SoundOutput::Stats() const {
  SoundOutputStats stats;
  stats.playing = shared_->playing;
  stats.connections = shared_->connections;
  stats.blocksWritten = shared_->blocksWritten;
  stats.latencyUs = shared_->latencyUs;
  stats.maxLatencyUs = shared_->maxLatencyUs;
  stats.lowBufferWrites = shared_->lowBufferWrites;
  return stats;
}

}  // namespace starquill
