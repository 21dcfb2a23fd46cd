// A full repaint of a CandyButton: the gel and solid faces are painted pixel by pixel on every
// state change, with nothing cached.

#include <benchmark/benchmark.h>

#include "tests/support/button_fixture.h"

namespace starquill {
namespace {

void BM_Redraw(benchmark::State& state) {
  testing::ButtonUnderTest b(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                             static_cast<int32_t>(state.range(2)));
  b.button->SetFont({"Tahoma", 11.25, true, false});
  b.button->SetCaption("Start");
  int32_t look = StateUp;
  for (auto _ : state) {
    look = look == StateUp ? StateHover : StateUp;
    int32_t asked = look;
    b.button->Redraw(asked);
  }
  state.SetLabel(std::to_string(state.range(0)) + "x" + std::to_string(state.range(1)) +
                 " style " + std::to_string(state.range(2)));
}
// The splash button (Style 6), a large pill (Style 2), and the other styles at splash size.
BENCHMARK(BM_Redraw)
    ->Args({145, 33, 6})
    ->Args({300, 80, 2})
    ->Args({145, 33, 0})
    ->Args({145, 33, 3})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace starquill
