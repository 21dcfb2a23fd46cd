#include "sound/soft_limiter.h"

#include <algorithm>
#include <cmath>

#include "sound/audio_format.h"

namespace starquill {
namespace {

constexpr float kKnee = 0.8f;  // the saturation curve is straight below this
constexpr float kSilent = 1e-6f;

const float kAttack = 1.0f - std::exp(-1.0f / (0.001f * kSampleRate));
const float kRelease = std::exp(-1.0f / (0.2f * kSampleRate));

// Straight below the knee, then bending smoothly (slope 1 at the knee) toward +-1.
float Saturate(float x) {
  const float magnitude = std::fabs(x);
  if (magnitude <= kKnee) return x;
  const float over = (magnitude - kKnee) / (1 - kKnee);
  return std::copysign(kKnee + (1 - kKnee) * over / (1 + over), x);
}

}  // namespace

void SoftLimiter::Process(std::span<float> stereo) {
  float envelope = envelope_;
  for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
    const float peak = std::max(std::fabs(stereo[i]), std::fabs(stereo[i + 1]));
    if (peak > envelope) {
      envelope += kAttack * (peak - envelope);
    } else {
      envelope = envelope > kSilent ? envelope * kRelease : 0.0f;
    }
    const float gain = envelope > kThreshold ? kThreshold / envelope : 1.0f;
    stereo[i] = Saturate(stereo[i] * gain);
    stereo[i + 1] = Saturate(stereo[i + 1] * gain);
  }
  envelope_ = envelope;
}

}  // namespace starquill
