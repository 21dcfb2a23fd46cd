#pragma once
// The spin path rocket: flies and sheds like the path rocket, but its trail twists from side
// to side.

#include <cstdint>

#include "engine/spin_flight.h"

namespace starquill {

class clsFlimmerspinpathrocket : public SpinFlight<clsFlimmerspinpathrocket> {
 public:
  int32_t EmissionCount() const { return ClimbingEmission(SpeedY, PosY); }
};

}  // namespace starquill
