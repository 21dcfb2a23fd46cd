#pragma once
// The burst's bang: a low thump (a sine gliding down from about 120 Hz to 45 Hz), a sharp
// crack of high-passed noise, and a rumble of low-passed noise that fades out over the whole
// length. Bigger showers are louder and longer: BangShape gives both from the sparkle count.

#include <cstdint>
#include <span>

#include "sound/sound_random.h"

namespace starquill {

struct BangShape {
  float level;    // 1 for a typical shower of 800 sparkles; grows with the square root
  float seconds;  // until the rumble has faded by 60 dB and the bang ends

  static BangShape For(int32_t sparkles);
};

class Bang {
 public:
  Bang(SoundRandom& random, int32_t sparkles);

  // Writes the next mono.size() samples (silence once done).
  void Render(std::span<float> mono);

  bool Done() const { return remaining_ == 0; }
  float Peak() const;
  float Level() const;

 private:
  NoiseSource noise_;
  float level_;
  int32_t remaining_;
  // The thump: a sine whose frequency glides from its start toward its floor.
  float phase_ = 0;  // in cycles, -0.5..0.5
  float glide_ = 1;  // share of the glide still ahead, decaying
  float glideDecay_;
  float thump_ = 1;  // envelopes, each decaying exponentially
  float thumpDecay_;
  float crack_ = 1;
  float crackDecay_;
  int32_t rumbleRising_;  // samples left in the rumble's short attack
  float rumbleRise_ = 0;  // 0..1, the attack
  float rumble_ = 1;
  float rumbleDecay_;
  float crackLow_ = 0;  // filter states
  float rumbleLow_ = 0;
};

}  // namespace starquill
