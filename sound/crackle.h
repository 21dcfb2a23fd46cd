#pragma once
// The crackle of a trail's live sparkles: sparse clicks of noise, each about a millisecond
// long, at random moments whose density follows the number of live sparkles; a faint bed
// under the bangs. One crackle lasts a little longer than the show's 50 ms tick, so that a
// trail posting one per tick crackles without gaps.

#include <cstdint>
#include <span>

#include "sound/sound_random.h"

namespace starquill {

class Crackle {
 public:
  static constexpr float kLevel = 0.12f;     // a click's largest amplitude
  static constexpr float kSeconds = 0.055f;  // the length of one crackle

  Crackle(SoundRandom& random, int32_t liveSparkles);

  // Writes the next mono.size() samples (silence once done).
  void Render(std::span<float> mono);

  bool Done() const { return remaining_ == 0; }
  float Peak() const { return kLevel; }
  float Level() const { return Done() ? 0.0f : kLevel; }

 private:
  int32_t NextInterval();

  NoiseSource noise_;
  int32_t remaining_;
  float clicksPerSample_;
  int32_t untilClick_;
  float click_ = 0;  // the sounding click's envelope
};

}  // namespace starquill
