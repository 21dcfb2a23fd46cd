#include "engine/clsFlimmerpathrocket.h"

#include <cmath>

namespace starquill {

void clsFlimmerpathrocket::sparkle(int32_t scount) {
  for (int32_t i = 1; i <= scount; ++i) {
    clsFlimmer& s = sparkles.emplace_back();
    s.PosX = PosX;
    s.PosY = PosY;
    const double direction = Rnd() * 8 * std::atan(1.0);
    const double speed = Rnd();
    s.SpeedX = std::cos(direction) * speed;
    s.SpeedY = std::sin(direction) * speed;
    s.AccelX = AccelX * 1.5;
    s.AccelY = AccelY * 0.4;
    s.SetColor(Color);
  }
}

}  // namespace starquill
