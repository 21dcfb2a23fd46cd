#include "platform/audio/sound_output.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <vector>

namespace starquill {
namespace {

constexpr std::chrono::milliseconds kStopWait{100};

}  // namespace

namespace detail {

// What the worker shares with the object; it outlives the object when the worker is left
// behind.
struct AudioWorkerState {
  std::mutex mutex;
  std::condition_variable wake;
  AudioSource* source = nullptr;  // null once stopping
  bool lost = false;              // the stream's connection failed
  bool exited = false;

  std::atomic<bool> playing{false};
  std::atomic<uint32_t> connections{0};
  PulseStreamCounters played;

  // Has the source render a block; silence once stopping.
  void Render(std::span<float> block) {
    std::lock_guard lock(mutex);
    if (source) {
      source->Render(block);
    } else {
      std::fill(block.begin(), block.end(), 0.0f);
    }
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

  // Waits until the stream's connection fails (true) or the output stops (false).
  bool WaitUntilLost() {
    std::unique_lock lock(mutex);
    wake.wait(lock, [this] { return source == nullptr || lost; });
    const bool wasLost = lost;
    lost = false;
    return source != nullptr && wasLost;
  }

  void Lost() {
    std::lock_guard lock(mutex);
    lost = true;
    wake.notify_all();
  }

  void Report(const SoundOutputOptions& options, const std::string& line) {
    {
      std::lock_guard lock(mutex);
      if (!source) return;
    }
    // Written without the lock: a stderr that blocks (a full pipe nobody reads) holds up this
    // worker alone, never the audio thread's rendering or the show stopping the output.
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

// Plays a stream until its connection fails (the reason in `error`) or the output stops
// (`error` empty). The stream's thread renders; this one waits.
void Play(AudioWorkerState& shared, PulseStream& stream, std::string& error) {
  shared.playing = true;
  const bool lost = shared.WaitUntilLost();
  shared.playing = false;
  error = lost ? stream.Failure() : std::string();
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
    bool quiet = false;  // a line was given since the last stream opened
    std::string error;
    while (true) {
      auto stream = PulseStream::Open(
          options.stream, [&shared = *shared](std::span<float> block) { shared.Render(block); },
          [&shared = *shared] { shared.Lost(); }, shared->played, error);
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
      Play(*shared, *stream, error);
      stream.reset();            // its thread ends: the source is not called from it any more
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
  stats.blocksWritten = shared_->played.blocks;
  stats.underruns = shared_->played.underruns;
  stats.latencyUs = shared_->played.latencyUs;
  stats.maxLatencyUs = shared_->played.maxLatencyUs;
  return stats;
}

}  // namespace starquill
