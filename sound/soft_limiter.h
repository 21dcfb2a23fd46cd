#pragma once
// Keeps the mix within full scale without harsh clipping: a peak follower (1 ms attack, 200 ms
// release) turns the gain down while the mix is above kThreshold, and a soft saturation curve
// rounds off what the follower lets through, approaching but never reaching +-1. Silence stays
// exact silence.

#include <span>

namespace starquill {

class SoftLimiter {
 public:
  static constexpr float kThreshold = 0.7f;

  void Process(std::span<float> stereo);
  void Reset() { envelope_ = 0; }

 private:
  float envelope_ = 0;
};

}  // namespace starquill
