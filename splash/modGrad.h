#pragma once
// The stepped two-colour band of the splash screen. Each colour component moves towards its end
// value by a whole-number step per line, the step being the surface's size divided by the
// component's distance (not the other way round), so the band is a short ramp that settles on,
// or next to, the end colour and stays there. Any surface with ScaleWidth, ScaleHeight and Line
// can be filled; errors inside are ignored and the fill carries on.

#include <cmath>
#include <cstdint>
#include <optional>

#include "platform/drawing/color.h"
#include "platform/support/numbers.h"

namespace starquill {

template <typename Canvas>
concept GradientCanvas = requires(Canvas& canvas) {
  { canvas.ScaleWidth() } -> std::convertible_to<double>;
  { canvas.ScaleHeight() } -> std::convertible_to<double>;
  canvas.Line(0.0f, 0.0f, 0.0f, 0.0f, Color{});
};

namespace detail {

// Two tests in this order: a rising component stops before passing its end; a falling one
// passes it by up to one step and then stays there.
inline void StepTowards(double& c, double end, int32_t step) {
  if (c < end) c = c + step;
  if (c > end) c = c - step;
}

// The colour of a line, or nothing when a component is no colour channel (negative, or beyond
// 16 bits): drawing it would fail, and the failure is ignored.
inline std::optional<Color> LineColor(double r, double g, double b) {
  const auto red = TryRoundTo<int16_t>(r);
  const auto green = TryRoundTo<int16_t>(g);
  const auto blue = TryRoundTo<int16_t>(b);
  if (!red || !green || !blue || *red < 0 || *green < 0 || *blue < 0) return std::nullopt;
  return RGB(*red, *green, *blue);  // components above 255 count as 255
}

}  // namespace detail

// Direction 0: vertical lines, the colour changing from left to right; 1: horizontal lines,
// from top to bottom; any other value draws nothing. Lines 0 to the size inclusive are drawn.
template <GradientCanvas Canvas>
void GradientFill(Canvas& Surface, const int32_t& Direction, double R1, double G1, double B1,
                  double R2, double G2, double B2) {
  const double dR = std::abs(R2 - R1);
  const double dB = std::abs(B2 - B1);
  const double dG = std::abs(G2 - G1);
  if (Direction != 0 && Direction != 1) return;
  const double size = Direction == 0 ? Surface.ScaleWidth() : Surface.ScaleHeight();
  // A zero distance fails the division; that step stays 0 and the component never changes.
  const int32_t stepG = TryIntDiv(size, dG).value_or(0);
  const int32_t stepB = TryIntDiv(size, dB).value_or(0);
  const int32_t stepR = TryIntDiv(size, dR).value_or(0);
  const float Last = static_cast<float>(size);
  double cR = R1, cG = G1, cB = B1;
  for (int64_t i = 0; i <= Last; ++i) {
    if (const auto color = detail::LineColor(cR, cG, cB)) {
      const float at = static_cast<float>(i);
      if (Direction == 0) {
        Surface.Line(at, 0.0f, at, static_cast<float>(Surface.ScaleHeight()), *color);
      } else {
        Surface.Line(0.0f, at, static_cast<float>(Surface.ScaleWidth()), at, *color);
      }
    }
    detail::StepTowards(cR, R2, stepR);
    detail::StepTowards(cB, B2, stepB);
    detail::StepTowards(cG, G2, stepG);
  }
}

}  // namespace starquill
