#pragma once
// The program's one random generator. Rnd returns a single-precision value r with 0 <= r < 1
// built from 24 random bits; Randomize reseeds it. The generator is xoshiro128**: small, fast
// and of good statistical quality. It starts from a fixed state, so a run that never reseeds
// repeats itself exactly.

#include <cstdint>

namespace starquill {

struct RandomState {
  uint32_t s[4];
  friend bool operator==(const RandomState&, const RandomState&) = default;
};

namespace detail {
extern RandomState g_random;

inline uint32_t RotateLeft(uint32_t x, int k) {
  return (x << k) | (x >> (32 - k));
}

inline uint32_t NextRandomBits(RandomState& state) {
  uint32_t* s = state.s;
  const uint32_t result = RotateLeft(s[1] * 5, 7) * 9;
  const uint32_t t = s[1] << 9;
  s[2] ^= s[0];
  s[3] ^= s[1];
  s[1] ^= s[2];
  s[0] ^= s[3];
  s[2] ^= t;
  s[3] = RotateLeft(s[3], 11);
  return result;
}

inline float UnitFromBits(uint32_t bits) {
  return static_cast<float>(bits >> 8) * 0x1p-24f;
}
}  // namespace detail

// Next value of the shared generator, 0 <= r < 1, a multiple of 2^-24.
inline float Rnd() {
  return detail::UnitFromBits(detail::NextRandomBits(detail::g_random));
}

// The shared generator for a loop that draws many numbers: the state is taken into a local
// here and given back when the stream ends, so that it stays in registers instead of being
// reloaded around every pixel the loop stores (a store could alias the global). Its draws
// continue the shared sequence; nothing else may draw while a stream lives.
class RandomStream {
 public:
  RandomStream() : state_(detail::g_random) {}
  ~RandomStream() { detail::g_random = state_; }
  RandomStream(const RandomStream&) = delete;
  RandomStream& operator=(const RandomStream&) = delete;

  float Rnd() { return detail::UnitFromBits(detail::NextRandomBits(state_)); }

 private:
  RandomState state_;
};

// Reseeds the shared generator from a number (the program uses the seconds since midnight).
// Equal seeds give equal sequences; any two different doubles give different states.
void Randomize(double seed);

// Reseeds the shared generator for one event of a numbered series within a run (the show
// programme's launches): the same run seed and event number always give the same sequence,
// and each number a sequence of its own.
void RandomizeForEvent(uint32_t runSeed, uint64_t eventNumber);

// The fixed state the generator starts from.
RandomState InitialRandomState();

// Saving and restoring the state lets tests and benchmarks repeat a sequence.
RandomState SaveRandomState();
void RestoreRandomState(const RandomState& state);

}  // namespace starquill
