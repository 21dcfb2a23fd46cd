#include "sound/bang.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sound/audio_format.h"

namespace starquill {
namespace {

constexpr float kTypicalSparkles = 800.0f;
constexpr float kLargestLevel = 1.25f;
constexpr float kShortestSeconds = 0.4f;
constexpr float kSecondsPerLevel = 0.8f;

constexpr float kThumpAmplitude = 0.36f;
constexpr float kCrackAmplitude = 0.3f;
constexpr float kRumbleAmplitude = 0.23f;
constexpr float kThumpStartHz = 120.0f;
constexpr float kThumpFloorHz = 45.0f;
constexpr float kGlideSeconds = 0.08f;
constexpr float kCrackSeconds = 0.03f;
constexpr float kRumbleAttackSeconds = 0.01f;
constexpr float kCrackLowPass = 0.12f;    // the crack is noise minus this low-pass of it
constexpr float kRumbleLowPass = 0.05f;   // about 400 Hz
constexpr float kRumbleNoiseGain = 5.0f;  // brings the low-passed noise back to about full scale
constexpr float kFadeOut = 1e-3f;         // the rumble's level when the bang ends (-60 dB)

float DecayPerSample(float timeConstantSeconds) {
  return std::exp(-1.0f / (timeConstantSeconds * kSampleRate));
}

// sin(2 pi phase) for -0.5 <= phase < 0.5, to about 0.1 %.
float SineOfCycles(float phase) {
  const float y = 8 * phase - 16 * phase * std::fabs(phase);
  return 0.225f * (y * std::fabs(y) - y) + y;
}

}  // namespace

BangShape BangShape::For(int32_t sparkles) {
  const float count = static_cast<float>(std::max(sparkles, 0));
  const float level = std::min(kLargestLevel, std::sqrt(count / kTypicalSparkles));
  return {level, kShortestSeconds + kSecondsPerLevel * level};
}

Bang::Bang(SoundRandom& random, int32_t sparkles) : noise_(random) {
  const BangShape shape = BangShape::For(sparkles);
  level_ = shape.level * random.Between(0.9f, 1.1f);
  remaining_ = FramesIn(shape.seconds);
  glideDecay_ = DecayPerSample(kGlideSeconds);
  thumpDecay_ = DecayPerSample(0.12f + 0.1f * shape.level);
  crackDecay_ = DecayPerSample(kCrackSeconds * random.Between(0.8f, 1.2f));
  rumbleRising_ = FramesIn(kRumbleAttackSeconds);
  rumbleDecay_ = std::pow(kFadeOut, 1.0f / static_cast<float>(std::max(remaining_, 1)));
  phase_ = random.Between(-0.05f, 0.05f);
}

float Bang::Peak() const {
  return level_ * (kThumpAmplitude + kCrackAmplitude + kRumbleAmplitude);
}

float Bang::Level() const {
  return level_ *
         (kThumpAmplitude * thump_ + kCrackAmplitude * crack_ + kRumbleAmplitude * rumble_);
}

void Bang::Render(std::span<float> mono) {
  const size_t count = std::min(mono.size(), static_cast<size_t>(remaining_));
  const float glideSpan = (kThumpStartHz - kThumpFloorHz) / kSampleRate;
  const float floorStep = kThumpFloorHz / kSampleRate;
  const float rumbleRiseStep = 1.0f / static_cast<float>(std::max(rumbleRising_, 1));
  for (size_t i = 0; i < count; ++i) {
    phase_ += floorStep + glideSpan * glide_;
    if (phase_ >= 0.5f) phase_ -= 1.0f;
    glide_ *= glideDecay_;
    const float thump = SineOfCycles(phase_) * kThumpAmplitude * thump_;
    thump_ *= thumpDecay_;

    const float white = noise_.Next();
    crackLow_ += kCrackLowPass * (white - crackLow_);
    const float crack = (white - crackLow_) * kCrackAmplitude * crack_;
    crack_ *= crackDecay_;

    if (rumbleRising_ > 0) {
      --rumbleRising_;
      rumbleRise_ = std::min(1.0f, rumbleRise_ + rumbleRiseStep);
    }
    rumbleLow_ += kRumbleLowPass * (white - rumbleLow_);
    const float rumble = rumbleLow_ * (kRumbleNoiseGain * kRumbleAmplitude) * rumble_ * rumbleRise_;
    rumble_ *= rumbleDecay_;

    mono[i] = (thump + crack + rumble) * level_;
  }
  remaining_ -= static_cast<int32_t>(count);
  std::fill(mono.begin() + static_cast<std::ptrdiff_t>(count), mono.end(), 0.0f);
}

}  // namespace starquill
