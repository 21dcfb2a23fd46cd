#pragma once
// The sound engine's own random numbers, apart from the show's shared generator so that sound
// never changes a launch or a pixel. SoundRandom (SplitMix64) draws the few numbers a sound is
// started with; NoiseSource (xorshift32, seeded from it) makes a voice's noise sample by sample.
// Both repeat exactly from the same seed.

#include <cstdint>

namespace starquill {

class SoundRandom {
 public:
  explicit SoundRandom(uint64_t seed) : state_(seed) {}

  uint64_t NextBits() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // 0 <= r < 1, on 24 bits.
  float Unit() { return static_cast<float>(NextBits() >> 40) * 0x1p-24f; }

  float Between(float low, float high) { return low + (high - low) * Unit(); }

 private:
  uint64_t state_;
};

class NoiseSource {
 public:
  explicit NoiseSource(SoundRandom& random)
      : state_(static_cast<uint32_t>(random.NextBits()) | 1u) {}  // never the all-zero state

  // White noise, -1 <= n < 1.
  float Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(static_cast<int32_t>(state_)) * 0x1p-31f;
  }

  // 0 <= r < 1.
  float Unit() { return Next() * 0.5f + 0.5f; }

 private:
  uint32_t state_;
};

}  // namespace starquill
