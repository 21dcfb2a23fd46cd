// The splash's repaint: the whole board painted anew (band, title, lines) while the title
// grows, and the tick once it has grown, which finds nothing new to paint.

#include <benchmark/benchmark.h>

#include "splash/frmSplash.h"
#include "tests/support/fake_platform.h"

namespace starquill {
namespace {

void BM_SplashRepaint(benchmark::State& state) {
  testing::FakePlatform platform;
  frmSplash splash(platform, [] {});
  splash.Form_Load();
  platform.Clock().Advance(1000);  // grown
  for (auto _ : state) {
    splash.TitleSize = splash.TitleSize == 36 ? 35 : 36;  // a new look: painted in full
    splash.tmrDraw_Timer();
  }
}
BENCHMARK(BM_SplashRepaint)->Unit(benchmark::kMicrosecond);

void BM_SplashIdleTick(benchmark::State& state) {
  testing::FakePlatform platform;
  frmSplash splash(platform, [] {});
  splash.Form_Load();
  platform.Clock().Advance(1000);  // grown: every tick looks the same
  for (auto _ : state)
    splash.tmrDraw_Timer();
}
BENCHMARK(BM_SplashIdleTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace starquill
