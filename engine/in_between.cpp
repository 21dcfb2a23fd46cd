#include "engine/in_between.h"

#include <algorithm>
#include <cmath>

#include "platform/drawing/color.h"
#include "platform/support/numbers.h"

namespace starquill {

void InBetween::SetFraction(double fraction) {
  fraction = std::isnan(fraction) ? 0 : std::clamp(fraction, 0.0, 1.0);
  if (fraction != fraction_) built_.reset();
  fraction_ = fraction;
}

namespace {

// Each channel / 1.1 ^ (age - 20) at a fractional age: the very expression of the tick's fade.
auto FadeAt(double age) {
  const double f = std::pow(1.1, age - 20);
  return [f](int value) { return std::min(RoundToInt32(value / f), 255); };
}

}  // namespace

void InBetween::BuildRow(size_t age) const {
  const auto channel = FadeAt(static_cast<double>(age) + fraction_);
  for (int value = 0; value < 256; ++value)
    rows_[age][static_cast<size_t>(value)] = static_cast<uint8_t>(channel(value));
  built_[age] = true;
}

int32_t InBetween::FadedPastTheTable(int32_t color, int32_t age) const {
  const auto channel = FadeAt(static_cast<double>(age) + fraction_);
  return RGB(channel(RedOf(color)), channel(GreenOf(color)), channel(BlueOf(color)));
}

}  // namespace starquill
