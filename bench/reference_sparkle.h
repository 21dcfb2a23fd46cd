#pragma once
// The sparkle as it was before the batch kernel: one sparkle at a time, the fade divided out
// per channel, every draw through the shared generator and every point through Surface::PSet.
// Kept unchanged as the yardstick the batch kernel is measured against (bench/sparkle_bench)
// and must agree with to the bit (tests/engine/clsFlimmer_test). Same fields as clsFlimmer.

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/clsFlimmer.h"
#include "platform/drawing/color.h"
#include "platform/drawing/surface.h"
#include "platform/support/fatal.h"
#include "platform/support/numbers.h"
#include "platform/support/random.h"

namespace starquill {

class ReferenceSparkle {
 public:
  double PosX = 0;
  double PosY = 0;
  double SpeedX = 0;
  double SpeedY = 0;
  double AccelX = 0;
  double AccelY = 0;

  void step();
  void Draw(Surface& Canvas);
  int32_t Color() const { return m_Color; }
  void SetColor(int32_t vNewValue);
  bool Finished() const { return PosY <= 0; }

 protected:
  int32_t m_Color = 0;
  int32_t m_Age = 0;

 private:
  static double FadeDivisor(int32_t age);
  static inline const std::array<double, 128> kFadeDivisors = [] {
    std::array<double, 128> divisors{};
    for (size_t age = 0; age < divisors.size(); ++age) {
      divisors[age] = std::pow(1.1, static_cast<double>(age) - 20);
    }
    return divisors;
  }();
};

inline double ReferenceSparkle::FadeDivisor(int32_t age) {
  if (static_cast<uint32_t>(age) < kFadeDivisors.size()) return kFadeDivisors[age];
  return std::pow(1.1, static_cast<double>(age) - 20);
}

inline void ReferenceSparkle::step() {
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

inline void ReferenceSparkle::Draw(Surface& Canvas) {
  const double f = FadeDivisor(m_Age);
  const int32_t R = RoundToInt32(RedOf(m_Color) / f);
  const int32_t G = RoundToInt32(GreenOf(m_Color) / f);
  const int32_t B = RoundToInt32(BlueOf(m_Color) / f);
  if (R + G + B == 0) PosY = 0;
  Canvas.PSet(static_cast<float>(PosX), static_cast<float>(PosY), RGB(R, G, B));
}

// The colour jitter was not part of the kernel's rewrite: the same draws as the sparkle's own.
inline void ReferenceSparkle::SetColor(int32_t vNewValue) {
  clsFlimmer sparkle;
  sparkle.SetColor(vNewValue);
  m_Color = sparkle.Color();
}

}  // namespace starquill
