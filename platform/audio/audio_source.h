#pragma once
// What an audio output plays: the program's mix, asked for block by block on the output's own
// thread.

#include <span>

namespace starquill {

class AudioSource {
 public:
  virtual ~AudioSource() = default;

  // Fills a block of interleaved stereo float frames (left first, full scale +-1).
  virtual void Render(std::span<float> stereo) = 0;
  // Nothing is being heard (no sound server yet, or it went away): forget what was asked for
  // meanwhile, so that it does not all sound at once when the sound comes back.
  virtual void Drop() = 0;
};

}  // namespace starquill
