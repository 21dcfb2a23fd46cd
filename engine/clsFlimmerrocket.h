#pragma once
// The burst rocket: a red point that rises on a ballistic path and bursts into a round shower
// of Count sparkles at the top of its flight, at a set height or after a set number of ticks.
// It is done once its point is below the ground and none of its sparkles is in the air.

#include <cstdint>
#include <vector>

#include "engine/clsFlimmer.h"
#include "engine/sky_events.h"
#include "platform/drawing/surface.h"

namespace starquill {

class clsFlimmerrocket {
 public:
  double PosX = 0;
  double PosY = 0;
  double SpeedX = 0;
  double SpeedY = 0;
  double AccelX = 0;
  double AccelY = 0;
  int32_t Color = 0;
  int32_t Count = 0;         // sparkles in the burst
  double explodeHeight = 0;  // burst on reaching this height, when above 0
  double explodeTime = 0;    // burst after this many ticks, when above 0
  bool Exploded = false;
  double Power = 0;         // upper bound of a sparkle's burst speed
  int32_t timeElapsed = 0;  // ticks counted before the burst
  bool Finished = false;
  SkyEvents* Events = nullptr;  // told of the burst, when set

  void step();
  void Draw(Surface& Canvas);
  // Draws the rocket at a moment between this tick and the next, changing nothing.
  void DrawBetween(Surface& Canvas, const InBetween& at) const;
  // Makes the shower: Count sparkles at the rocket's position, replacing any earlier ones.
  // A Count below 1 makes an empty shower. Reports the burst to Events.
  void explode();

  const std::vector<clsFlimmer>& Sparks() const { return sparks; }

 private:
  bool SparkInTheAir() const;

  std::vector<clsFlimmer> sparks;
};

}  // namespace starquill
