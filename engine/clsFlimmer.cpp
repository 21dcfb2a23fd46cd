#include "engine/clsFlimmer.h"

#include <algorithm>

namespace starquill {

const std::array<double, 128> clsFlimmer::kFadeDivisors = [] {
  std::array<double, 128> divisors{};
  for (size_t age = 0; age < divisors.size(); ++age) {
    divisors[age] = std::pow(1.1, static_cast<double>(age) - 20);
  }
  return divisors;
}();

void clsFlimmer::SetColor(int32_t vNewValue) {
  // One draw per channel, red first; the order of the draws is part of the show's sequence.
  const auto jitter = [](int channel) {
    return std::clamp(RoundToInt32(static_cast<double>(Rnd()) * 128 + channel - 64), 0, 255);
  };
  const int32_t red = jitter(RedOf(vNewValue));
  const int32_t green = jitter(GreenOf(vNewValue));
  const int32_t blue = jitter(BlueOf(vNewValue));
  m_Color = red + 256 * green + 65536 * blue;
}

}  // namespace starquill
