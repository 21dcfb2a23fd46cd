#pragma once
// What the show's sound hears of one tick: the fireworks are looked at before they step and
// again after, and the rockets that burst in between bang; every trail with sparkles in the air
// crackles. It only reads the fireworks.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/firework.h"
#include "show/show_sound.h"

namespace starquill {

class SkySounds {
 public:
  void BeforeStep(std::span<const Firework> fireworks);
  // `skyWidth` in sky units (the sky is 200 high).
  void AfterStep(std::span<const Firework> fireworks, double skyWidth, ShowSound& sound);

 private:
  // Per firework, which of its burst rockets had burst (a multi rocket's first 64).
  std::vector<uint64_t> burst_;
};

}  // namespace starquill
