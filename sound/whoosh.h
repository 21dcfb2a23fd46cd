#pragma once
// The launch whoosh: white noise through a resonant band-pass whose centre rises from a low
// rush to a high hiss over 0.6-1 s, swelling in quickly and fading out as the rocket climbs.

#include <cstdint>
#include <span>

#include "sound/sound_random.h"

namespace starquill {

class Whoosh {
 public:
  static constexpr float kLevel = 0.3f;  // the band-passed noise at the envelope's top

  explicit Whoosh(SoundRandom& random);

  // Writes the next mono.size() samples (silence once done).
  void Render(std::span<float> mono);

  bool Done() const { return remaining_ == 0; }
  float Peak() const { return kLevel; }
  float Level() const { return kLevel * envelope_; }

 private:
  NoiseSource noise_;
  int32_t remaining_;   // samples left
  int32_t rising_;      // samples left in the swell
  float envelope_ = 0;  // 0..1, linear up then linear down
  float riseStep_;
  float fallStep_;
  float frequency_;  // the band-pass's frequency coefficient, multiplied up each sample
  float frequencyGrowth_;
  float low_ = 0;  // band-pass state
  float band_ = 0;
};

}  // namespace starquill
