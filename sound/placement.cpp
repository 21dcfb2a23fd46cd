#include "sound/placement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sound/audio_format.h"

namespace starquill {
namespace {

constexpr float kTopGain = 0.65f;            // gain at the top of the sky
constexpr float kGroundCutoffHz = 14000.0f;  // low-pass cut-off on the ground ...
constexpr float kTopCutoffHz = 1800.0f;      // ... and at the top

float UnitOr(float value, float fallback) {
  if (std::isnan(value)) return fallback;
  return std::clamp(value, 0.0f, 1.0f);
}

}  // namespace

Placement Placement::At(float pan, float height) {
  pan = UnitOr(pan, 0.5f);
  height = UnitOr(height, 0.0f);
  Placement p;
  p.gain = 1.0f + (kTopGain - 1.0f) * height;
  const float angle = pan * std::numbers::pi_v<float> / 2;
  p.left = std::cos(angle) * p.gain;
  p.right = std::sin(angle) * p.gain;
  const float cutoff = kGroundCutoffHz * std::pow(kTopCutoffHz / kGroundCutoffHz, height);
  p.lowPass = 1.0f - std::exp(-2 * std::numbers::pi_v<float> * cutoff / kSampleRate);
  return p;
}

}  // namespace starquill
