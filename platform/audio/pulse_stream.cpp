#include "platform/audio/pulse_stream.h"

#include <pulse/error.h>
#include <pulse/pulseaudio.h>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace starquill {

// The server's objects: a main loop with its thread, the context and the stream.
struct PulseStream::Connection {
  pa_threaded_mainloop* loop = nullptr;
  pa_context* context = nullptr;
  pa_stream* stream = nullptr;
  bool running = false;      // the loop's thread has started
  bool prioritised = false;  // the loop's thread has asked for its priority
  bool playing = false;      // open: a failure from now on is a lost connection
  std::string failure;       // under the loop's lock
  std::vector<float> block;  // the stream thread's
};

namespace {

using Connection = PulseStream::Connection;

std::string ContextError(const Connection& c) {
  return pa_strerror(c.context ? pa_context_errno(c.context) : PA_ERR_UNKNOWN);
}

// The audio thread renders a block every 10 ms and has about 40 ms of sound queued: on a busy
// machine a thread of ordinary priority can be kept waiting longer than that, and the sound
// breaks up. It asks for a low real-time priority (a round-robin one, which cannot starve
// its peers), else for a higher ordinary one; where neither is allowed it keeps what it has.
void RaiseThisThreadsPriority() {
  sched_param param{};
  param.sched_priority = std::min(5, sched_get_priority_max(SCHED_RR));
  if (pthread_setschedparam(pthread_self(), SCHED_RR, &param) == 0) return;
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10);
}

constexpr char kNoConnection[] = "cannot start the sound server's connection";

}  // namespace

PulseStream::PulseStream(PulseStreamCounters& counters) : counters_(counters) {}

std::unique_ptr<PulseStream> PulseStream::Open(const PulseStreamConfig& config, Fill fill,
                                               std::function<void()> lost,
                                               PulseStreamCounters& counters, std::string& error) {
  pa_sample_spec format{};
  format.format = PA_SAMPLE_FLOAT32LE;
  format.rate = static_cast<uint32_t>(config.sampleRate);
  format.channels = 2;
  if (!pa_sample_spec_valid(&format) || config.blockMs <= 0) {
    error = "unusable sample rate";
    return nullptr;
  }
  std::unique_ptr<PulseStream> self(new PulseStream(counters));
  self->fill_ = std::move(fill);
  self->lost_ = std::move(lost);
  self->block_frames_ = static_cast<size_t>(config.sampleRate) * config.blockMs / 1000;
  self->connection_ = std::make_unique<Connection>();
  Connection& c = *self->connection_;
  c.block.resize(self->block_frames_ * 2);

  PulseStream* stream = self.get();
  c.loop = pa_threaded_mainloop_new();
  c.context = c.loop ? pa_context_new(pa_threaded_mainloop_get_api(c.loop), "Starquill") : nullptr;
  if (!c.context) {
    error = kNoConnection;
    return nullptr;
  }
  pa_context_set_state_callback(
      c.context,
      [](pa_context* context, void* data) {
        static_cast<PulseStream*>(data)->StateChanged(
            PA_CONTEXT_IS_GOOD(pa_context_get_state(context)));
      },
      stream);
  if (pa_context_connect(c.context, config.server.empty() ? nullptr : config.server.c_str(),
                         PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    error = ContextError(c);
    return nullptr;
  }
  if (pa_threaded_mainloop_start(c.loop) < 0) {
    error = kNoConnection;
    return nullptr;
  }
  c.running = true;

  pa_threaded_mainloop_lock(c.loop);
  const auto fail = [&](std::string why) {
    pa_threaded_mainloop_unlock(c.loop);
    error = std::move(why);
    return nullptr;
  };
  for (pa_context_state_t state; (state = pa_context_get_state(c.context)) != PA_CONTEXT_READY;) {
    if (!PA_CONTEXT_IS_GOOD(state)) return fail(ContextError(c));
    pa_threaded_mainloop_wait(c.loop);
  }
  c.stream = pa_stream_new(c.context, "Fireworks", &format, nullptr);
  if (!c.stream) return fail(ContextError(c));
  pa_stream_set_state_callback(
      c.stream,
      [](pa_stream* s, void* data) {
        static_cast<PulseStream*>(data)->StateChanged(PA_STREAM_IS_GOOD(pa_stream_get_state(s)));
      },
      stream);
  pa_buffer_attr buffer{};
  buffer.maxlength = static_cast<uint32_t>(-1);
  buffer.tlength = static_cast<uint32_t>(
      pa_usec_to_bytes(static_cast<pa_usec_t>(config.targetLatencyMs) * 1000, &format));
  // Playback starts with the first block, and the server asks a block at a time.
  buffer.minreq = static_cast<uint32_t>(
      pa_usec_to_bytes(static_cast<pa_usec_t>(config.blockMs) * 1000, &format));
  buffer.prebuf = buffer.minreq;
  buffer.fragsize = static_cast<uint32_t>(-1);
  const auto flags = static_cast<pa_stream_flags_t>(
      PA_STREAM_ADJUST_LATENCY | PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_INTERPOLATE_TIMING);
  if (pa_stream_connect_playback(c.stream, nullptr, &buffer, flags, nullptr, nullptr) < 0) {
    return fail(ContextError(c));
  }
  for (pa_stream_state_t state; (state = pa_stream_get_state(c.stream)) != PA_STREAM_READY;) {
    if (!PA_STREAM_IS_GOOD(state)) return fail(ContextError(c));
    pa_threaded_mainloop_wait(c.loop);
  }

  // Playing: from now on the loop's thread writes, and tells when the connection fails.
  c.playing = true;
  pa_stream_set_underflow_callback(
      c.stream,
      [](pa_stream*, void* data) { ++static_cast<PulseStream*>(data)->counters_.underruns; },
      stream);
  pa_stream_set_write_callback(
      c.stream,
      [](pa_stream*, size_t bytes, void* data) { static_cast<PulseStream*>(data)->Write(bytes); },
      stream);
  // What the server asked for before the callback was set.
  if (const size_t writable = pa_stream_writable_size(c.stream);
      writable != static_cast<size_t>(-1) && writable > 0) {
    stream->Write(writable);
  }
  pa_threaded_mainloop_unlock(c.loop);
  return self;
}

// On the loop's thread: the context or the stream changed state. Whoever waits for a state
// wakes; once playing, the first failure is told.
void PulseStream::StateChanged(bool good) {
  Connection& c = *connection_;
  pa_threaded_mainloop_signal(c.loop, 0);
  if (good || !c.playing || !c.failure.empty()) return;
  c.failure = ContextError(c);
  if (lost_) lost_();
}

// On the loop's thread: renders what the server has room for, a block at a time.
void PulseStream::Write(size_t bytes) {
  Connection& c = *connection_;
  if (!c.prioritised) {
    c.prioritised = true;
    RaiseThisThreadsPriority();
  }
  constexpr size_t kFrameBytes = 2 * sizeof(float);
  size_t frames = bytes / kFrameBytes;
  while (frames > 0) {
    const size_t n = std::min(frames, block_frames_);
    const std::span<float> block(c.block.data(), n * 2);
    fill_(block);
    if (pa_stream_write(c.stream, block.data(), block.size_bytes(), nullptr, 0, PA_SEEK_RELATIVE) <
        0) {
      return;  // the state callback tells
    }
    frames -= n;
    ++counters_.blocks;
  }
  pa_usec_t usec = 0;
  int negative = 0;
  if (pa_stream_get_latency(c.stream, &usec, &negative) == 0) {
    const int64_t latency = negative ? 0 : static_cast<int64_t>(usec);
    counters_.latencyUs = latency;
    if (latency > counters_.maxLatencyUs) counters_.maxLatencyUs = latency;
  }
}

PulseStream::~PulseStream() {
  Connection& c = *connection_;
  // The loop's thread ends first: no callback runs after this.
  if (c.running) pa_threaded_mainloop_stop(c.loop);
  if (c.stream) {
    pa_stream_disconnect(c.stream);
    pa_stream_unref(c.stream);
  }
  if (c.context) {
    pa_context_disconnect(c.context);
    pa_context_unref(c.context);
  }
  if (c.loop) pa_threaded_mainloop_free(c.loop);
}

std::string PulseStream::Failure() const {
  pa_threaded_mainloop_lock(connection_->loop);
  std::string failure = connection_->failure;
  pa_threaded_mainloop_unlock(connection_->loop);
  return failure;
}

}  // namespace starquill
