#pragma once
// The sparkle: one coloured point that drifts under its own acceleration with drag and a
// little random jitter, flares up brighter than its colour while new, then fades by a factor
// 1.1 per tick. It is done once it is on the ground or has faded to black, and never moves
// again after that. Every shower of the show is made of sparkles, so step and Draw are small,
// inline and allocation-free.

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/color.h"
#include "platform/fatal.h"
#include "platform/numbers.h"
#include "platform/random.h"
#include "platform/surface.h"

namespace starquill {

class clsFlimmer {
 public:
  double PosX = 0;
  double PosY = 0;  // 0 is the ground
  double SpeedX = 0;
  double SpeedY = 0;  // positive is upwards
  double AccelX = 0;
  double AccelY = 0;  // negative for gravity

  void step();
  void Draw(Surface& Canvas);
  int32_t Color() const { return m_Color; }
  // Stores a copy of the colour with each channel moved by a random step of -64..+64.
  void SetColor(int32_t vNewValue);
  bool Finished() const { return PosY <= 0; }

 private:
  friend struct SparkleInternals;  // lets tests set and read the private state

  // 1.1 ^ (age - 20), the divisor of a sparkle's colour at an age, from a table for the ages a
  // sparkle really reaches (the same values the power function gives).
  static double FadeDivisor(int32_t age);
  static const std::array<double, 128> kFadeDivisors;

  int32_t m_Color = 0;
  int32_t m_Age = 0;  // ticks on which the sparkle has moved
};

inline double clsFlimmer::FadeDivisor(int32_t age) {
  if (static_cast<uint32_t>(age) < kFadeDivisors.size()) return kFadeDivisors[age];
  return std::pow(1.1, static_cast<double>(age) - 20);
}

inline void clsFlimmer::step() {
  if (PosY > 0) {
    PosX = PosX + SpeedX;
    if (m_Age == std::numeric_limits<int32_t>::max()) FatalError("Overflow: sparkle age");
    m_Age = m_Age + 1;
    PosY = PosY + SpeedY;
    SpeedX = (SpeedX + AccelX + Rnd() * 0.09 - 0.045) * 0.9;
    SpeedY = (SpeedY + AccelY + Rnd() * 0.09 - 0.045) * 0.9;
  } else {
    PosY = 0;
    SpeedX = 0;
    SpeedY = 0;
  }
}

inline void clsFlimmer::Draw(Surface& Canvas) {
  const double f = FadeDivisor(m_Age);
  const int32_t R = RoundToInt32(RedOf(m_Color) / f);
  const int32_t G = RoundToInt32(GreenOf(m_Color) / f);
  const int32_t B = RoundToInt32(BlueOf(m_Color) / f);
  // Faded to black: this makes the sparkle finished. The point is still painted, in black.
  if (R + G + B == 0) PosY = 0;
  Canvas.PSet(static_cast<float>(PosX), static_cast<float>(PosY), RGB(R, G, B));
}

}  // namespace starquill
