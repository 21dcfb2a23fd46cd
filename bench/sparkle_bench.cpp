// Throughput of the sparkle, the particle every shower is made of, and of the whole animation
// tick on a 1920x1080 sky.
//
// Sparkles are laid out as the show makes them: bursts of 700 around a few points, with ages
// spread over their lifetime, so that drawing touches the sky the way a real show does.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "bench/bench_sky.h"
#include "engine/clsFlimmer.h"
#include "show/frmMain.h"
#include "tests/support/fake_platform.h"

namespace starquill {
namespace {

constexpr int kRefreshTicks = 40;  // sparkles fade out after about 86 ticks; renew them first

std::vector<clsFlimmer> MakeShowers(size_t count, Surface& sky) {
  RestoreRandomState(InitialRandomState());
  std::vector<clsFlimmer> sparkles(count);
  const double width = sky.ScaleWidth();
  double cx = 0, cy = 0;
  for (size_t i = 0; i < count; ++i) {
    if (i % 700 == 0) {  // a new burst
      cx = width * (0.1 + 0.8 * Rnd());
      cy = 120 + 60 * Rnd();
    }
    clsFlimmer& s = sparkles[i];
    const double angle = Rnd() * 8 * std::atan(1.0);
    const double speed = Rnd() * 3;
    s.PosX = cx;
    s.PosY = cy;
    s.SpeedX = std::cos(angle) * speed;
    s.SpeedY = std::sin(angle) * speed;
    s.AccelX = 0.003;
    s.AccelY = -0.03;
    s.SetColor(RGB(255, 255, 0));
    for (int age = static_cast<int>(Rnd() * 40); age > 0; --age)
      s.step();
  }
  sky.Cls();
  return sparkles;
}

void BM_SparkleStepAndDraw(benchmark::State& state) {
  Surface sky = MakeSky();
  const std::vector<clsFlimmer> fresh = MakeShowers(static_cast<size_t>(state.range(0)), sky);
  std::vector<clsFlimmer> sparkles = fresh;
  int ticks = 0;
  for (auto _ : state) {
    if (++ticks % kRefreshTicks == 0) {
      state.PauseTiming();
      sparkles = fresh;
      state.ResumeTiming();
    }
    for (clsFlimmer& s : sparkles) {
      s.step();
      s.Draw(sky);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SparkleStepAndDraw)
    ->Arg(1000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

// The whole tick: clear, count text, step and draw every live firework, drop the finished.
// Here every sparkle is a firework of its own in the show's list.
void BM_Tick(benchmark::State& state) {
  testing::FakePlatform platform(kSkyWidth, kSkyHeight);
  Surface scratch = MakeSky();
  const std::vector<clsFlimmer> fresh = MakeShowers(static_cast<size_t>(state.range(0)), scratch);
  std::unique_ptr<frmMain> show;
  const auto renew = [&] {
    show.reset();
    show = std::make_unique<frmMain>(platform);
    show->Load();
    show->Timer1().SetEnabled(false);
    for (const clsFlimmer& s : fresh)
      show->Append(s);
  };
  renew();
  int ticks = 0;
  for (auto _ : state) {
    if (++ticks % kRefreshTicks == 0) {
      state.PauseTiming();
      renew();
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
