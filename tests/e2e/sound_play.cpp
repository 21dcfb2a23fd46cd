// Plays bangs through the program's sound engine and audio output, for the end-to-end sound
// checks: sound_play PAN SECONDS [EVERY_MS]. One bang of 800 sparkles at pan PAN (0 left,
// 1 right) every EVERY_MS (default 1500) for SECONDS, the first once the output plays. For each
// bang it prints on standard output how long after it was posted it is heard, by the audio
// clock: the block that starts it is heard after what the server still had queued when the
// block was rendered (the output's latency after the write before). At the end it prints the
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

// The scene as the output's source; it notes when the latest voice to start will be heard.
class SceneSource : public AudioSource {
 public:
  explicit SceneSource(SoundScene& scene) : scene_(scene) {}

  void Render(std::span<float> stereo) override {
    const int voices = scene_.ActiveVoices();
    scene_.Render(stereo);
    const SoundOutput* output = output_;
    if (scene_.ActiveVoices() <= voices || !output) return;
    const int64_t queued = output->Stats().latencyUs;
    heardAt =
        queued < 0 ? Clock::time_point::max() : Clock::now() + std::chrono::microseconds(queued);
    ++onsets;
  }
  void Drop() override { scene_.DropPending(); }

  void Attach(const SoundOutput& output) { output_ = &output; }

  std::atomic<int> onsets{0};
  std::atomic<Clock::time_point> heardAt{};

 private:
  SoundScene& scene_;
  std::atomic<const SoundOutput*> output_{nullptr};
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
  source.Attach(output);
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
    while (source.onsets == onsets && Clock::now() - posted < 1s)
      std::this_thread::sleep_for(100us);
    const auto heard = source.heardAt.load();
    if (source.onsets != onsets && heard != Clock::time_point::max()) {
      std::printf("bang heard after %.1f ms (output latency %.1f ms)\n",
                  std::chrono::duration<double, std::milli>(heard - posted).count(),
                  output.Stats().latencyUs / 1000.0);
    } else {
      std::printf("bang not heard\n");
    }
    std::fflush(stdout);
    std::this_thread::sleep_until(posted + every);
  }
  output.Stop();
  const auto stats = output.Stats();
  std::printf("blocks %llu connections %u max latency %.1f ms underruns %llu\n",
              static_cast<unsigned long long>(stats.blocksWritten), stats.connections,
              stats.maxLatencyUs / 1000.0, static_cast<unsigned long long>(stats.underruns));
  return 0;
}

}  // namespace
}  // namespace starquill

int main(int argc, char** argv) {
  return starquill::Main(argc, argv);
}
