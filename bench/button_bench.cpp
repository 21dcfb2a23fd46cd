// Repaints of a CandyButton: the gel and solid faces are painted pixel by pixel on every state
// change, with nothing cached; and a stored design with huge text, loaded and repainted.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/hosting/property_bag.h"
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
  state.SetLabel(std::to_string(state.range(0)) + "x" + std::to_string(state.range(1)) + " style " +
                 std::to_string(state.range(2)));
}
// The splash button (Style 6), a large pill (Style 2), and the other styles at splash size.
BENCHMARK(BM_Redraw)
    ->Args({145, 33, 6})
    ->Args({300, 80, 2})
    ->Args({145, 33, 0})
    ->Args({145, 33, 3})
    ->Unit(benchmark::kMicrosecond);

// A stored design with the largest font a design holds and a long caption of many different
// letters, loaded into a splash-sized button and repainted a dozen times. Every glyph is
// megabytes of coverage at that size, yet nearly all of them lie outside the button.
void BM_LoadHugeFontAndRepaint(benchmark::State& state) {
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string caption;
  for (int64_t i = 0; i < state.range(0); ++i)
    caption += alphabet[static_cast<size_t>(i) % alphabet.size()];
  const std::string design = "Font = \"Tahoma\" 4096 bold\nCaption = \"" + caption + "\"\n";
  for (auto _ : state) {
    testing::ButtonUnderTest b(145, 33, 6);
    b.button->ReadProperties(PropertyBag::Parse(design));
    for (int i = 0; i < 12; ++i) {
      int32_t look = i % 2 == 0 ? StateHover : StateUp;
      b.button->Redraw(look);
    }
    benchmark::DoNotOptimize(b.button->Window().Picture());
  }
  state.SetLabel(std::to_string(state.range(0)) + " characters");
}
BENCHMARK(BM_LoadHugeFontAndRepaint)->Arg(200)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace starquill
