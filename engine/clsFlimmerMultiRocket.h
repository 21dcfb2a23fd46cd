#pragma once
// The multi rocket: a carrier that rises on a ballistic arc and at its burst splits into
// RocketCount burst rockets fanned evenly around the circle, each set to burst in turn a few
// ticks later. Its own point flies on and it is done once the point is down and every burst
// rocket is finished.

#include <cstdint>
#include <vector>

#include "engine/clsFlimmerrocket.h"
#include "engine/sky_events.h"
#include "platform/drawing/surface.h"

namespace starquill {

class clsFlimmerMultiRocket {
 public:
  double PosX = 0;
  double PosY = 0;
  double SpeedX = 0;
  double SpeedY = 0;
  double AccelX = 0;
  double AccelY = 0;
  int32_t Color = 0;
  int32_t Count = 0;        // burst size handed on: each burst rocket gets half
  int32_t RocketCount = 0;  // burst rockets made at the burst
  double explodeHeight = 0;
  int32_t explodeTime = 0;
  bool Exploded = false;
  double Power = 0;
  int32_t timeElapsed = 0;
  bool Finished = false;
  SkyEvents* Events = nullptr;  // handed on to the burst rockets, which report their bursts

  void step();
  void Draw(Surface& Canvas);
  // Draws the rocket and its burst rockets at a moment between this tick and the next,
  // changing nothing.
  void DrawBetween(Surface& Canvas, const InBetween& at) const;
  // Makes the burst rockets, replacing any earlier ones; a RocketCount below 1 makes none.
  void explode();

  const std::vector<clsFlimmerrocket>& Rockets() const { return rockets; }

 private:
  bool RocketStillGoing() const;

  std::vector<clsFlimmerrocket> rockets;
};

}  // namespace starquill
