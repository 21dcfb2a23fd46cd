#include "engine/clsFlimmer.h"

#include <algorithm>

namespace starquill {

// Each entry with the very expression a computed fade uses, so the two agree to the bit.
const std::array<clsFlimmer::FadeRow, 128> clsFlimmer::kFade = [] {
  std::array<FadeRow, 128> table{};
  for (size_t age = 0; age < table.size(); ++age) {
    const double f = std::pow(1.1, static_cast<double>(age) - 20);
    for (int channel = 0; channel < 256; ++channel) {
      table[age][static_cast<size_t>(channel)] =
          static_cast<uint8_t>(std::min(RoundToInt32(channel / f), 255));
    }
  }
  return table;
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
