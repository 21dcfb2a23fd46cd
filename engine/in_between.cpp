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

int32_t InBetween::Faded(int32_t color, int32_t age) const {
  // The very expression of the tick's fade, at the moment's age.
  const double f = std::pow(1.1, static_cast<double>(age) + fraction_ - 20);
  const auto channel = [f](int value) { return std::min(RoundToInt32(value / f), 255); };
  if (static_cast<uint32_t>(age) >= kAges) {
    return RGB(channel(RedOf(color)), channel(GreenOf(color)), channel(BlueOf(color)));
  }
  FadeRow& row = rows_[static_cast<size_t>(age)];
  if (!built_[static_cast<size_t>(age)]) {
    for (int value = 0; value < 256; ++value)
      row[static_cast<size_t>(value)] = static_cast<uint8_t>(channel(value));
    built_[static_cast<size_t>(age)] = true;
  }
  return row[static_cast<size_t>(RedOf(color))] | row[static_cast<size_t>(GreenOf(color))] << 8 |
         row[static_cast<size_t>(BlueOf(color))] << 16;
}

}  // namespace starquill
