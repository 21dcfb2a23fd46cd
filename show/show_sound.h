#pragma once
// What the show tells its sound, when the program plays one: launches, bursts and trails that
// crackle, as they happen, with their places as shares of the sky (x from the left edge, 0, to
// the right, 1; y from the ground, 0, to the top, 1). The sound only listens: it draws nothing
// from the show's random generator and changes nothing in the sky.

#include <cstdint>

namespace starquill {

class ShowSound {
 public:
  virtual ~ShowSound() = default;
  // Rockets left the ground together.
  virtual void Launch(float x, float y) = 0;
  // A rocket burst into a shower of this many sparkles.
  virtual void Burst(float x, float y, int32_t sparkles) = 0;
  // A trail has sparkles in the air on this tick, around this place.
  virtual void Crackle(float x, float y, int32_t liveSparkles) = 0;
  // The user's mute key.
  virtual void ToggleMute() = 0;
};

}  // namespace starquill
