// Throughput of the sparkle, the particle every shower is made of, old kernel against new, and
// of the whole animation tick on a 1920x1080 sky.
//
// Sparkles are laid out as the show makes them: bursts of 700 around a few points, with ages
// spread over their lifetime, so that drawing touches the sky the way a real show does.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <span>
#include <vector>

#include "bench/bench_sky.h"
#include "bench/reference_sparkle.h"
#include "engine/clsFlimmer.h"
#include "show/frmMain.h"
#include "tests/support/fake_platform.h"

namespace starquill {
namespace {

// The kernel as it was, one sparkle at a time.
void ReferenceTick(std::vector<ReferenceSparkle>& sparkles, Surface& sky) {
  for (ReferenceSparkle& s : sparkles) {
    s.step();
    s.Draw(sky);
  }
}

// The batch kernel as the burst rocket uses it: each shower stepped, then drawn.
void BatchTick(std::vector<clsFlimmer>& sparkles, Surface& sky) {
  for (size_t first = 0; first < sparkles.size(); first += kBurst) {
    const auto shower =
        std::span(sparkles).subspan(first, std::min(kBurst, sparkles.size() - first));
    clsFlimmer::StepAll(shower);
    clsFlimmer::DrawAll(shower, sky);
  }
}

// Both kernels on copies of the same showers, a tick of each in turn so that both meet the
// same machine. Time and items are the batch kernel's; the counters give the old kernel's rate
// and the speed-up (old time / new time over the whole run).
void BM_SparkleStepAndDraw(benchmark::State& state) {
  const size_t count = static_cast<size_t>(state.range(0));
  Surface sky = MakeSky();
  const auto fresh_reference = MakeShowers<ReferenceSparkle>(count, sky);
  const auto fresh = MakeShowers<clsFlimmer>(count, sky);
  auto reference = fresh_reference;
  auto sparkles = fresh;
  double reference_seconds = 0, batch_seconds = 0;
  int ticks = 0;
  for (auto _ : state) {
    if (++ticks % kRefreshTicks == 0) {
      reference = fresh_reference;
      sparkles = fresh;
    }
    const auto start = std::chrono::steady_clock::now();
    ReferenceTick(reference, sky);
    benchmark::ClobberMemory();
    const auto middle = std::chrono::steady_clock::now();
    BatchTick(sparkles, sky);
    benchmark::ClobberMemory();
    const auto end = std::chrono::steady_clock::now();
    const double batch = std::chrono::duration<double>(end - middle).count();
    reference_seconds += std::chrono::duration<double>(middle - start).count();
    batch_seconds += batch;
    state.SetIterationTime(batch);
  }
  const double items = static_cast<double>(state.iterations()) * static_cast<double>(count);
  state.SetItemsProcessed(static_cast<int64_t>(items));
  state.counters["reference_per_second"] = items / reference_seconds;
  state.counters["speedup"] = reference_seconds / batch_seconds;
}
BENCHMARK(BM_SparkleStepAndDraw)
    ->Arg(1000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The whole tick: clear, count text, step and draw every live firework, drop the finished.
// Here every sparkle is a firework of its own in the show's list.
void BM_Tick(benchmark::State& state) {
  testing::FakePlatform platform(kSkyWidth, kSkyHeight);
  Surface scratch = MakeSky();
  const auto fresh = MakeShowers<clsFlimmer>(static_cast<size_t>(state.range(0)), scratch);
  std::unique_ptr<frmMain> show = ShowWith(platform, fresh);
  int ticks = 0;
  for (auto _ : state) {
    if (++ticks % kRefreshTicks == 0) {
      state.PauseTiming();
      show.reset();  // the old show's memory goes first
      show = ShowWith(platform, fresh);
      state.ResumeTiming();
    }
    show->Timer1_Timer();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Tick)->Arg(1000)->Arg(5000)->Arg(100'000)->Arg(1'000'000)->Unit(
    benchmark::kMillisecond);

}  // namespace
}  // namespace starquill
