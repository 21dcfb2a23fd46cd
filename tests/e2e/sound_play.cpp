// Plays bangs through the program's sound engine and audio output, for the end-to-end sound
// checks: sound_play PAN SECONDS [EVERY_MS]. One bang of 800 sparkles at pan PAN (0 left,
// 1 right) every EVERY_MS (default 1500) for SECONDS, the first once the output plays. For each
// bang it prints on standard output how long after it was posted it is heard, measured through
// the audio clock: the block that starts it is written, and its first sample is heard the
// output's latency after that write, less the block's own length. At the end it prints the
// output's statistics.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <thread>

#include "platform/audio/sound_output.h"
#include "sound/sound_scene.h"

namespace starquill {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kBlock = 10ms;

// The scene as the output's source; it counts the blocks in which a voice started.
class SceneSource : public AudioSource {
 public:
  explicit SceneSource(SoundScene& scene) : scene_(scene) {}

  void Render(std::span<float> stereo) override {
    const int voices = scene_.ActiveVoices();
    scene_.Render(stereo);
    if (scene_.ActiveVoices() > voices) ++onsets;
  }
  void Drop() override { scene_.DropPending(); }

  std::atomic<int> onsets{0};

 private:
  SoundScene& scene_;
};

int Main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: sound_play PAN SECONDS [EVERY_MS]\n");
    return 2;
  }
  const float pan = std::strtof(argv[1], nullptr);
  const auto length = std::chrono::duration<double>(std::strtod(argv[2], nullptr));
  const auto every = std::chrono::milliseconds(argc > 3 ? std::atoi(argv[3]) : 1500);

  SoundScene scene(1);
  SceneSource source(scene);
  SoundOutput output(source);
  output.Start();
  const auto start = Clock::now();
  auto wait_playing = [&] {
    while (!output.Stats().playing && Clock::now() - start < length)
      std::this_thread::sleep_for(1ms);
  };
  wait_playing();

  while (Clock::now() - start < length) {
    if (!output.Stats().playing) {
      wait_playing();
      continue;
    }
    const int onsets = source.onsets;
    const auto posted = Clock::now();
    scene.Burst(pan, 0.3f, 800);
    // The block that starts the bang, then the write of it.
    while (source.onsets == onsets && Clock::now() - posted < 1s)
      std::this_thread::sleep_for(100us);
    const uint64_t written = output.Stats().blocksWritten;
    while (output.Stats().blocksWritten == written && Clock::now() - posted < 1s)
      std::this_thread::sleep_for(100us);
    const auto stats = output.Stats();
    if (source.onsets != onsets && stats.blocksWritten != written && stats.latencyUs >= 0) {
      const auto heard = Clock::now() + std::chrono::microseconds(stats.latencyUs) - kBlock;
      std::printf("bang heard after %.1f ms (output latency %.1f ms)\n",
                  std::chrono::duration<double, std::milli>(heard - posted).count(),
                  stats.latencyUs / 1000.0);
    } else {
      std::printf("bang not heard\n");
    }
    std::fflush(stdout);
    std::this_thread::sleep_until(posted + every);
  }
  output.Stop();
  const auto stats = output.Stats();
  std::printf("blocks %llu connections %u max latency %.1f ms low-buffer writes %llu\n",
              static_cast<unsigned long long>(stats.blocksWritten), stats.connections,
              stats.maxLatencyUs / 1000.0, static_cast<unsigned long long>(stats.lowBufferWrites));
  return 0;
}

}  // namespace
}  // namespace starquill

int main(int argc, char** argv) {
  return starquill::Main(argc, argv);
}
