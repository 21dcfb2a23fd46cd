#include "sound/voice_pool.h"

#include <algorithm>

namespace starquill {

bool VoicePool::Admit(const Voice& voice) {
  std::optional<Voice>* quietest = nullptr;
  for (auto& slot : voices_) {
    if (!slot) {
      slot.emplace(voice);
      ++count_;
      return true;
    }
    if (!quietest || slot->Level() < (*quietest)->Level()) quietest = &slot;
  }
  if (voice.Peak() <= (*quietest)->Level()) return false;
  quietest->emplace(voice);
  return true;
}

void VoicePool::MixInto(std::span<float> stereo) {
  stereo = stereo.first(std::min(stereo.size(), 2 * kMaxFrames));
  for (auto& slot : voices_) {
    if (!slot) continue;
    slot->MixInto(stereo, scratch_);
    if (slot->Done()) {
      slot.reset();
      --count_;
    }
  }
}

void VoicePool::Clear() {
  for (auto& slot : voices_)
    slot.reset();
  count_ = 0;
}

}  // namespace starquill
