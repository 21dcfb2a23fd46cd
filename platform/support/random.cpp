#include "platform/support/random.h"

#include <bit>

namespace starquill {
namespace {

// SplitMix64 spreads one 64-bit seed over the generator's 128 bits of state.
uint64_t SplitMix64(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

RandomState StateFromSeed(uint64_t seed) {
  RandomState state{};
  const uint64_t a = SplitMix64(seed);
  const uint64_t b = SplitMix64(seed);
  state.s[0] = static_cast<uint32_t>(a);
  state.s[1] = static_cast<uint32_t>(a >> 32);
  state.s[2] = static_cast<uint32_t>(b);
  state.s[3] = static_cast<uint32_t>(b >> 32);
  if ((state.s[0] | state.s[1] | state.s[2] | state.s[3]) == 0) state.s[0] = 1;  // never all zero
  return state;
}

constexpr uint64_t kInitialSeed = 0x5374617271756C6Cull;

}  // namespace

namespace detail {
RandomState g_random = StateFromSeed(kInitialSeed);
}

void Randomize(double seed) {
  // -0.0 and 0.0 are the same number; give them the same sequence.
  if (seed == 0.0) seed = 0.0;
  detail::g_random = StateFromSeed(std::bit_cast<uint64_t>(seed));
}

void RandomizeForEvent(uint32_t runSeed, uint64_t eventNumber) {
  // The run seed in the high half keeps every run's series apart for four billion events;
  // mixing in a constant keeps them apart from the sequences Randomize gives.
  constexpr uint64_t kEventSeries = 0x50726F6772616D6Dull;
  detail::g_random =
      StateFromSeed(((static_cast<uint64_t>(runSeed) << 32) + eventNumber) ^ kEventSeries);
}

RandomState InitialRandomState() {
  return StateFromSeed(kInitialSeed);
}
RandomState SaveRandomState() {
  return detail::g_random;
}
void RestoreRandomState(const RandomState& state) {
  detail::g_random = state;
}

}  // namespace starquill
