// Throughput of each firework kind over its whole life, and the whole tick at the peak of a
// Grand-Finale-like show.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "bench/bench_sky.h"
#include "engine/clsFlimmerMultiRocket.h"
#include "engine/clsFlimmerpathrocket.h"
#include "engine/clsFlimmerrocket.h"
#include "engine/clsFlimmerspinbackpathrocket.h"
#include "engine/clsFlimmerspinpathrocket.h"
#include "show/frmMain.h"
#include "tests/support/fake_platform.h"
#include "tests/support/firework_probe.h"

namespace starquill {
namespace {

// A launch as the show makes them: from the middle of the bottom edge, climbing at 5.5.
template <typename Kind>
Kind Launched(const Surface& sky) {
  Kind k;
  k.PosX = sky.ScaleWidth() / 2;
  k.SpeedX = 0.7;
  k.SpeedY = 5.5;
  k.AccelX = 0.003;
  k.AccelY = -0.1;
  k.Color = 0x00FFFF;
  if constexpr (requires { k.Count; }) k.Count = 700;
  if constexpr (requires { k.Power; }) k.Power = 3;
  if constexpr (requires { k.SpinAngle; }) k.SpinAngle = 80;
  if constexpr (requires { k.RocketCount; }) k.RocketCount = 8;
  return k;
}

size_t SparklesOf(const std::vector<Firework>& list) {
  return testing::Census(list).sparkles;
}

// Steps and draws one firework from launch until it is finished. Items are sparkle updates
// (one step and one draw of one sparkle).
template <typename Kind>
void BM_Lifetime(benchmark::State& state) {
  Surface sky = MakeSky();
  const RandomState seed = InitialRandomState();
  // Count the work once: the same seed gives the same life every time.
  size_t updates = 0;
  int ticks = 0;
  {
    RestoreRandomState(seed);
    std::vector<Firework> one;
    one.emplace_back(Launched<Kind>(sky));
    while (!one[0].Finished()) {
      one[0].step();
      one[0].Draw(sky);
      updates += SparklesOf(one);
      ++ticks;
    }
  }
  for (auto _ : state) {
    RestoreRandomState(seed);
    Kind firework = Launched<Kind>(sky);
    while (!firework.Finished) {
      firework.step();
      firework.Draw(sky);
    }
    benchmark::DoNotOptimize(firework);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(updates));
  state.counters["ticks"] = ticks;
  state.counters["sparkle_updates"] = static_cast<double>(updates);
}
BENCHMARK(BM_Lifetime<clsFlimmerrocket>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lifetime<clsFlimmerpathrocket>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lifetime<clsFlimmerspinpathrocket>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lifetime<clsFlimmerspinbackpathrocket>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lifetime<clsFlimmerMultiRocket>)->Unit(benchmark::kMillisecond);

// The whole tick with a burst rocket and a path rocket launched together every 0.6 s, timed
// once the show has reached its steady peak.
void BM_GrandFinaleTick(benchmark::State& state) {
  testing::FakePlatform platform(kSkyWidth, kSkyHeight);
  frmMain show(platform);
  show.Load();
  show.Timer1().SetEnabled(false);
  RestoreRandomState(InitialRandomState());
  int tick = 0;
  const auto run_tick = [&] {
    if (tick++ % 12 == 0) show.Launch(6);
    show.Timer1_Timer();
  };
  for (int i = 0; i < 600; ++i)
    run_tick();  // rise to the steady state

  size_t peak_sparkles = 0;
  double slowest_ms = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    run_tick();
    const auto end = std::chrono::steady_clock::now();
    slowest_ms =
        std::max(slowest_ms, std::chrono::duration<double, std::milli>(end - start).count());
    if (tick % 12 == 6) {  // between launches: not timed for long, but counted
      state.PauseTiming();
      peak_sparkles = std::max(peak_sparkles, SparklesOf(show.FireworkList()));
      state.ResumeTiming();
    }
  }
  state.counters["peak_live_sparkles"] = static_cast<double>(peak_sparkles);
  state.counters["slowest_tick_ms"] = slowest_ms;
  state.counters["live_fireworks"] = show.FireworkCount();
}
BENCHMARK(BM_GrandFinaleTick)->Unit(benchmark::kMillisecond)->Iterations(2400);

// The real Grand Finale programme with the automatic launcher on top, on the manual clock:
// ten simulated minutes to reach its peak, then every 50 ms of the show timed as one iteration.
void BM_GrandFinaleProgramme(benchmark::State& state) {
  testing::FakePlatform platform(kSkyWidth, kSkyHeight);
  frmMain show(platform);
  show.Load();
  show.mnuGrand_Click();
  size_t peak_sparkles = 0;
  int32_t peak_fireworks = 0;
  for (int second = 0; second < 600; ++second) {
    platform.Clock().Advance(1000);
    peak_sparkles = std::max(peak_sparkles, SparklesOf(show.FireworkList()));
    peak_fireworks = std::max(peak_fireworks, show.FireworkCount());
  }
  double slowest_ms = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    platform.Clock().Advance(50);
    const auto end = std::chrono::steady_clock::now();
    slowest_ms =
        std::max(slowest_ms, std::chrono::duration<double, std::milli>(end - start).count());
  }
  state.counters["peak_live_sparkles_10min"] = static_cast<double>(peak_sparkles);
  state.counters["peak_live_fireworks_10min"] = peak_fireworks;
  state.counters["slowest_tick_ms"] = slowest_ms;
}
BENCHMARK(BM_GrandFinaleProgramme)->Unit(benchmark::kMillisecond)->Iterations(2400);

}  // namespace
}  // namespace starquill
