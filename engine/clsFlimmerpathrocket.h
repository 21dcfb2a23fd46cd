#pragma once
// The path rocket: sheds a dense trail of sparkles thrown in random directions while it climbs
// and turns over, and never bursts.

#include <cstdint>

#include "engine/path_flight.h"

namespace starquill {

class clsFlimmerpathrocket : public PathFlight<clsFlimmerpathrocket> {
 public:
  // Sheds scount sparkles at the head, each with a random direction and a speed below 1.
  void sparkle(int32_t scount);
  int32_t EmissionCount() const { return ClimbingEmission(SpeedY, PosY); }
};

}  // namespace starquill
