#pragma once
// One sounding voice: a whoosh, a bang or a crackle, placed in the sky. The mixer asks it for
// its level, to choose which voice to drop when all are busy, and has it add its next frames
// into the stereo mix.

#include <span>
#include <variant>

#include "sound/bang.h"
#include "sound/crackle.h"
#include "sound/placement.h"
#include "sound/whoosh.h"

namespace starquill {

using VoiceSound = std::variant<Whoosh, Bang, Crackle>;

class Voice {
 public:
  Voice(VoiceSound sound, Placement placement) : sound_(sound), placement_(placement) {}

  bool Done() const;
  // The amplitude the voice is heard at now, and the most it reaches; both after placement.
  float Level() const;
  float Peak() const;

  // Adds the voice's next stereo.size() / 2 frames into interleaved stereo; scratch has room
  // for as many mono samples.
  void MixInto(std::span<float> stereo, std::span<float> scratch);

 private:
  VoiceSound sound_;
  Placement placement_;
  float lowPassed_ = 0;  // the height's low-pass state
};

}  // namespace starquill
