#pragma once
// The spin-back path rocket: climbs as a bare red point and sheds the spinning trail only on
// the way down, most densely while high and falling fast, until it is down to height 10.

#include <cstdint>

#include "engine/spin_flight.h"

namespace starquill {

class clsFlimmerspinbackpathrocket : public SpinFlight<clsFlimmerspinbackpathrocket> {
 public:
  int32_t EmissionCount() const { return FallingEmission(SpeedY, PosY); }
};

}  // namespace starquill
