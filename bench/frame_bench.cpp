// A whole frame of the show as the screen gets it: the animation tick (clear, count text, step
// and draw every firework, drop the finished) and presenting the sky into an image of the
// window's own format, at 1080p and 4K. Also the clear alone in the middle of a heavy Grand
// Finale, and presenting alone.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>
#include <vector>

#include "bench/bench_sky.h"
#include "engine/clsFlimmer.h"
#include "platform/qt/qt_image.h"
#include "platform/support/random.h"
#include "show/frmMain.h"
#include "tests/support/fake_platform.h"

namespace starquill {
namespace {

// Copies what changed on the sky into a window-format image, as the window's paint does.
void Present(Surface& sky, QImage& window) {
  QPainter painter(&window);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QImage image = SurfaceImage(sky);
  for (const QRect& part : PartsToShow(sky))
    painter.drawImage(part.topLeft(), image, part);
}

void BM_Frame(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  testing::FakePlatform platform(width, height);
  std::unique_ptr<frmMain> show = ShowWith(platform, {});
  const auto showers = MakeShowers<clsFlimmer>(static_cast<size_t>(state.range(2)), show->Picture1);
  show = ShowWith(platform, showers);
  QImage window(width, height, QImage::Format_RGB32);
  int ticks = 0;
  for (auto _ : state) {
    if (++ticks % kRefreshTicks == 0) {
      state.PauseTiming();
      show = ShowWith(platform, showers);
      state.ResumeTiming();
    }
    show->Timer1_Timer();
    Present(show->Picture1, window);
  }
  state.SetItemsProcessed(state.iterations() * state.range(2));
}
BENCHMARK(BM_Frame)
    ->ArgsProduct({{1920}, {1080}, {1'000, 100'000, 1'000'000}})
    ->ArgsProduct({{3840}, {2160}, {1'000, 100'000, 1'000'000}})
    ->Unit(benchmark::kMillisecond);

// A whole frame copied, as after the sky was laid anew.
void BM_Present(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  Surface sky(width, height);
  sky.SetBackColor(0);
  QImage window(width, height, QImage::Format_RGB32);
  for (auto _ : state) {
    sky.SetPicture(nullptr);  // everything changed
    Present(sky, window);
  }
}
BENCHMARK(BM_Present)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

// The real show at 4K in a Grand Finale with keys pressed, at its busy steady state: the time
// the tick's clear takes.
void BM_GrandFinaleClear(benchmark::State& state) {
  testing::FakePlatform platform(3840, 2160);
  frmMain show(platform);
  show.Load();
  show.mnuGrand_Click();
  RestoreRandomState(InitialRandomState());
  const auto busy = [&](int ticks) {
    for (int t = 1; t <= ticks; ++t) {
      if (t % 4 == 0) show.Form_KeyPress('1' + (t / 4) % 7);
      platform.Clock().Advance(50);
    }
  };
  busy(200);
  for (auto _ : state) {
    state.PauseTiming();
    busy(1);  // draws a new frame, then clears it below
    state.ResumeTiming();
    show.Picture1.Cls();
  }
}
BENCHMARK(BM_GrandFinaleClear)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
}  // namespace starquill
