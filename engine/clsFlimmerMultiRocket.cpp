#include "engine/clsFlimmerMultiRocket.h"

#include <algorithm>
#include <cmath>

#include "engine/head_flight.h"
#include "engine/list_prefix.h"

namespace starquill {

bool clsFlimmerMultiRocket::RocketStillGoing() const {
  const auto fan = Prefix(rockets, RocketCount);
  return std::any_of(fan.begin(), fan.end(), [](const clsFlimmerrocket& r) { return !r.Finished; });
}

void clsFlimmerMultiRocket::step() {
  if (Finished) return;
  if (!MoveHead(*this, [this] { return Exploded && RocketStillGoing(); })) return;

  if (Exploded) {
    for (clsFlimmerrocket& rocket : Prefix(rockets, RocketCount))
      rocket.step();
    return;
  }
  timeElapsed = CheckedAdd(timeElapsed, 1, "a multi rocket's tick count");
  // Burst rockets made now are first drawn this tick, at the carrier's position, unmoved.
  if (BurstDue(explodeTime, explodeHeight, timeElapsed, PosY, SpeedY)) explode();
}

void clsFlimmerMultiRocket::Draw(Surface& Canvas) {
  if (Finished) return;
  if (Exploded) {
    for (clsFlimmerrocket& rocket : Prefix(rockets, RocketCount))
      rocket.Draw(Canvas);
  }
  DrawHead(*this, Canvas);
}

void clsFlimmerMultiRocket::DrawBetween(Surface& Canvas, const InBetween& at) const {
  if (Finished) return;
  if (Exploded) {
    for (const clsFlimmerrocket& rocket : Prefix(rockets, RocketCount))
      rocket.DrawBetween(Canvas, at);
  }
  DrawHeadBetween(*this, Canvas, at);
}

void clsFlimmerMultiRocket::explode() {
  const int32_t n = std::max(RocketCount, 0);
  rockets.assign(static_cast<size_t>(n), clsFlimmerrocket{});
  // Draws: the common base speed, the common burst delay, then four per burst rocket.
  const double p = Rnd() * Power;
  const int32_t e = static_cast<int32_t>(Int(Rnd() * 8)) + 8;
  const double quarter = std::atan(1.0);
  for (int32_t i = 1; i <= n; ++i) {
    clsFlimmerrocket& r = rockets[static_cast<size_t>(i - 1)];
    r.PosX = PosX;
    r.PosY = PosY;
    const double a = 8 * quarter / n * i + (Rnd() * 0.1 - 0.05) * quarter;
    const double s = Rnd() * 0.1 + p - 0.05;
    r.SpeedX = std::cos(a) * s + SpeedX * 0.5;
    r.SpeedY = std::sin(a) * s + SpeedY * 0.5;
    r.AccelX = AccelX * 0.7;
    r.AccelY = AccelY * 0.3;
    r.Color = Color;
    r.Count = RoundToInt32(Count / 2.0);
    const double r3 = Rnd();
    const double r4 = Rnd();
    r.explodeTime = Int(r4 * r3 * 3) + e;
    r.Power = Power / 3;
    r.Events = Events;
  }
  Exploded = true;
}

}  // namespace starquill
