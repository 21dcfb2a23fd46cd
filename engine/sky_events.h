#pragma once
// What happens in the sky, as it happens, in sky units (x from the left edge, y up from the
// ground; the sky is 200 units high). The firework kinds report their own events to it, once
// each, so that whoever listens (the sound, a light) learns of them without looking inside the
// fireworks. A listener only listens: it draws nothing from the show's random generator and
// changes nothing in the sky.

#include <cstdint>

namespace starquill {

class SkyEvents {
 public:
  virtual ~SkyEvents() = default;
  // Rockets left the ground together at (x, y).
  virtual void Launch(double x, double y) = 0;
  // A rocket burst at (x, y) into a shower of `sparkles` sparkles of this colour (0x00BBGGRR).
  virtual void Burst(double x, double y, int32_t color, int32_t sparkles) = 0;
  // After a tick's step, a trail has `live` sparkles in the air that are still alight (the ones
  // its drawing leaves in the air), centred at (x, y), their mean position.
  virtual void Trail(double x, double y, int32_t live) = 0;
};

}  // namespace starquill
