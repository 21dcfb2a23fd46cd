#pragma once
// The red head every rocket flies: a ballistic point that is parked on the ground once it
// has gone below it. Shared by all the rocket kinds.

#include <cstdint>

#include "engine/in_between.h"
#include "platform/drawing/surface.h"

namespace starquill {

// The head's part of one tick. Below the ground the head is parked (height 0, standing still)
// and the rocket is finished unless `showerGoesOn()` says that what it spawned is still going;
// otherwise the head moves with last tick's speed and then picks up this tick's acceleration.
// Returns false when the rocket finished in this tick.
template <typename Rocket, typename ShowerGoesOn>
bool MoveHead(Rocket& rocket, ShowerGoesOn showerGoesOn) {
  if (rocket.PosY < 0) {
    rocket.PosY = 0;
    rocket.SpeedX = 0;
    rocket.SpeedY = 0;
    if (!showerGoesOn()) {
      rocket.Finished = true;
      return false;
    }
    return true;
  }
  rocket.PosX += rocket.SpeedX;
  rocket.PosY += rocket.SpeedY;
  rocket.SpeedX += rocket.AccelX;
  rocket.SpeedY += rocket.AccelY;
  return true;
}

// Whether a rocket that has not burst yet bursts in this tick, with the values after its move:
// when its set number of ticks has passed, when it has reached its set height, or, with
// neither set, once it has passed the top of its flight. Whichever comes first.
inline bool BurstDue(double explodeTime, double explodeHeight, int32_t timeElapsed, double PosY,
                     double SpeedY) {
  const bool timeUp = explodeTime > 0 && timeElapsed >= explodeTime;
  const bool heightReached = explodeHeight > 0 && PosY >= explodeHeight;
  const bool pastTheTop = !(explodeTime > 0) && !(explodeHeight > 0) && SpeedY < 0;
  return timeUp || heightReached || pastTheTop;
}

// The head is always pure red and drawn over what the rocket spawned.
template <typename Rocket>
void DrawHead(const Rocket& rocket, Surface& Canvas) {
  Canvas.PSet(static_cast<float>(rocket.PosX), static_cast<float>(rocket.PosY), RGB(255, 0, 0));
}

// The head at a moment between this tick and the next: moved on by that fraction of its speed,
// towards where MoveHead puts it; a head below the ground is parked there and moves no more.
template <typename Rocket>
void DrawHeadBetween(const Rocket& rocket, Surface& Canvas, const InBetween& at) {
  const double f = rocket.PosY < 0 ? 0 : at.Fraction();
  Canvas.PSet(static_cast<float>(rocket.PosX + f * rocket.SpeedX),
              static_cast<float>(rocket.PosY + f * rocket.SpeedY), RGB(255, 0, 0));
}

}  // namespace starquill
