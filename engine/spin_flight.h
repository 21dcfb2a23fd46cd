#pragma once
// The flight of the two spinning path kinds: their trail is not thrown at random but laid
// evenly along the stretch flown in the last tick and pushed off sideways, with the head's
// speed turned a quarter and scaled by a factor that swings like a sine wave over the trail.
// SpinAngle sets the pace of the swing: one full swing takes 2 pi x SpinAngle sparkles.
// These kinds draw no random numbers themselves (the sparkles' colours still do).

#include <cmath>
#include <cstdint>

#include "engine/path_flight.h"

namespace starquill {

template <typename Kind>
class SpinFlight : public PathFlight<Kind> {
 public:
  double SpinAngle = 0;

  // Sheds scount sparkles along the stretch just flown. A zero SpinAngle has no swing, and a
  // head standing still has no speed to turn: such sparkles get no side speed.
  void sparkle(int32_t scount);
};

template <typename Kind>
void SpinFlight<Kind>::sparkle(int32_t scount) {
  auto& trail = this->sparkles;
  const double PosX = this->PosX, PosY = this->PosY;
  const double SpeedX = this->SpeedX, SpeedY = this->SpeedY;
  for (int32_t i = 1; i <= scount; ++i) {
    clsFlimmer& s = trail.emplace_back();
    const double N = static_cast<double>(trail.size());  // the sparkle's place in the trail
    s.PosX = SpeedX / scount * i + (PosX - SpeedX);
    s.PosY = SpeedY / scount * i + (PosY - SpeedY);
    const double swing = SpinAngle != 0 ? std::sin(N / SpinAngle) : 0.0;
    const double r = std::sqrt(SpeedY * SpeedY + SpeedX * SpeedX) / swing;
    const bool hasSideSpeed = swing != 0 && std::isfinite(r) && r != 0;
    s.SpeedX = hasSideSpeed ? SpeedY / r : 0.0;
    s.SpeedY = hasSideSpeed ? SpeedX / r : 0.0;
    // It was laid this fraction of the tick ago: move it on by that much of its speed.
    const double remaining = 1 - static_cast<double>(i) / scount;
    s.PosX = remaining * s.SpeedX + s.PosX;
    s.PosY = remaining * s.SpeedY + s.PosY;
    s.AccelX = this->AccelX * 1.5;
    s.AccelY = this->AccelY * 0.4;
    s.SetColor(this->Color);
  }
}

}  // namespace starquill
