#pragma once
// The voices sounding at once, at most kMaxVoices. When all are busy a newcomer takes the
// place of the quietest voice if it will be louder than that voice is now; otherwise the
// newcomer is dropped. Fixed storage: admitting and mixing never allocate.

#include <array>
#include <optional>
#include <span>

#include "sound/voice.h"

namespace starquill {

class VoicePool {
 public:
  static constexpr int kMaxVoices = 32;

  // Whether the voice was taken.
  bool Admit(const Voice& voice);
  // Adds every voice's next frames into interleaved stereo (at most kMaxFrames frames) and
  // lets the voices that ended go.
  void MixInto(std::span<float> stereo);
  void Clear();
  int Count() const { return count_; }

  static constexpr size_t kMaxFrames = 512;

 private:
  std::array<std::optional<Voice>, kMaxVoices> voices_;
  int count_ = 0;
  std::array<float, kMaxFrames> scratch_{};
};

}  // namespace starquill
