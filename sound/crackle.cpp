#include "sound/crackle.h"

#include <algorithm>
#include <cmath>

#include "sound/audio_format.h"

namespace starquill {
namespace {

constexpr float kClicksPerSparklePerSecond = 0.6f;
constexpr float kMostClicksPerSecond = 400.0f;
constexpr float kClickDecay = 0.85f;  // per sample: a click is gone after about a millisecond
constexpr float kQuietClick = 0.3f;   // the softest click, relative to the loudest
constexpr float kSilent = 1e-5f;

}  // namespace

Crackle::Crackle(SoundRandom& random, int32_t liveSparkles)
    : noise_(random), remaining_(FramesIn(kSeconds)) {
  const float perSecond =
      std::min(kMostClicksPerSecond,
               kClicksPerSparklePerSecond * static_cast<float>(std::max(liveSparkles, 0)));
  clicksPerSample_ = perSecond / kSampleRate;
  untilClick_ = NextInterval();
}

// Waiting times of a Poisson process; none within the crackle when there are no clicks.
int32_t Crackle::NextInterval() {
  if (clicksPerSample_ <= 0) return remaining_ + 1;
  const float wait = -std::log(1.0f - noise_.Unit()) / clicksPerSample_;
  return static_cast<int32_t>(std::min(wait, static_cast<float>(remaining_ + 1)));
}

void Crackle::Render(std::span<float> mono) {
  const size_t count = std::min(mono.size(), static_cast<size_t>(remaining_));
  for (size_t i = 0; i < count; ++i) {
    if (--untilClick_ <= 0) {
      click_ = kLevel * (kQuietClick + (1 - kQuietClick) * noise_.Unit());
      untilClick_ = NextInterval();
    }
    mono[i] = noise_.Next() * click_;
    click_ = click_ > kSilent ? click_ * kClickDecay : 0.0f;
  }
  remaining_ -= static_cast<int32_t>(count);
  std::fill(mono.begin() + static_cast<std::ptrdiff_t>(count), mono.end(), 0.0f);
}

}  // namespace starquill
