#include "sound/whoosh.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sound/audio_format.h"

namespace starquill {
namespace {

constexpr float kStartHz = 350.0f;
constexpr float kEndHz = 2800.0f;
constexpr float kDamping = 0.3f;     // of the band-pass: lower rings more (a whistle)
constexpr float kRiseShare = 0.15f;  // share of the length spent swelling

float FrequencyCoefficient(float hz) {
  return 2 * std::sin(std::numbers::pi_v<float> * hz / kSampleRate);
}

}  // namespace

Whoosh::Whoosh(SoundRandom& random) : noise_(random) {
  const int32_t length = FramesIn(random.Between(0.6f, 1.0f));
  remaining_ = length;
  rising_ = std::max(1, static_cast<int32_t>(length * kRiseShare));
  riseStep_ = 1.0f / static_cast<float>(rising_);
  fallStep_ = 1.0f / static_cast<float>(std::max(1, length - rising_));
  frequency_ = FrequencyCoefficient(kStartHz);
  frequencyGrowth_ =
      std::pow(FrequencyCoefficient(kEndHz) / frequency_, 1.0f / static_cast<float>(length));
}

void Whoosh::Render(std::span<float> mono) {
  const size_t count = std::min(mono.size(), static_cast<size_t>(remaining_));
  for (size_t i = 0; i < count; ++i) {
    if (rising_ > 0) {
      --rising_;
      envelope_ = std::min(1.0f, envelope_ + riseStep_);
    } else {
      envelope_ = std::max(0.0f, envelope_ - fallStep_);
    }
    // A state-variable filter; its band output is the whoosh.
    low_ += frequency_ * band_;
    const float high = noise_.Next() - low_ - kDamping * band_;
    band_ += frequency_ * high;
    frequency_ *= frequencyGrowth_;
    mono[i] = band_ * kLevel * envelope_;
  }
  remaining_ -= static_cast<int32_t>(count);
  std::fill(mono.begin() + static_cast<std::ptrdiff_t>(count), mono.end(), 0.0f);
}

}  // namespace starquill
