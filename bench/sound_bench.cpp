// The sound engine's cost per second of audio, rendered in the output's 10 ms blocks: with
// all 32 voices busy with bangs, and with a Grand Finale's mix (a launch every 0.6 s, its
// bang, and eight trails crackling). Counters: ms_per_audio_s, the processor time one second
// of audio takes on the rendering thread, and core_percent, the share of one core that means.

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

#include "sound/sound_scene.h"

namespace starquill {
namespace {

constexpr int kBlocksPerSecond = 100;
constexpr int kBlockFrames = 480;

// The processor time this thread has used, in milliseconds.
double ThreadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

void ReportCost(benchmark::State& state, double spentMs) {
  const double msPerAudioSecond = spentMs / static_cast<double>(state.iterations());
  state.counters["ms_per_audio_s"] = msPerAudioSecond;
  state.counters["core_percent"] = msPerAudioSecond / 10;
}

void BM_Sound32BusyVoices(benchmark::State& state) {
  SoundScene scene(1);
  std::vector<float> block(2 * kBlockFrames);
  int n = 0;
  double spentMs = 0;
  for (auto _ : state) {
    const double start = ThreadMilliseconds();
    for (int b = 0; b < kBlocksPerSecond; ++b) {
      for (int v = scene.ActiveVoices(); v < VoicePool::kMaxVoices; ++v, ++n)
        scene.Burst(static_cast<float>(n % 10) / 10, static_cast<float>(n % 7) / 7, 700);
      scene.Render(block);
    }
    benchmark::DoNotOptimize(block.data());
    spentMs += ThreadMilliseconds() - start;
  }
  ReportCost(state, spentMs);
}
BENCHMARK(BM_Sound32BusyVoices)->Unit(benchmark::kMillisecond);

void BM_SoundGrandFinale(benchmark::State& state) {
  SoundScene scene(2);
  std::vector<float> block(2 * kBlockFrames);
  int tick = 0;
  double spentMs = 0;
  for (auto _ : state) {
    const double start = ThreadMilliseconds();
    for (int b = 0; b < kBlocksPerSecond; ++b) {
      if (b % 5 == 0) {  // the show's 50 ms tick
        ++tick;
        const float pan = static_cast<float>(tick % 9) / 8;
        if (tick % 12 == 0) scene.Launch(0.5f, 0);
        if (tick % 12 == 6) scene.Burst(pan, 0.7f, 750);
        for (int trail = 0; trail < 8; ++trail)
          scene.Crackle(static_cast<float>(trail) / 8, 0.5f, 150);
      }
      scene.Render(block);
    }
    benchmark::DoNotOptimize(block.data());
    spentMs += ThreadMilliseconds() - start;
  }
  ReportCost(state, spentMs);
}
BENCHMARK(BM_SoundGrandFinale)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace starquill
