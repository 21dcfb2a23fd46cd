#include "sound/voice.h"

namespace starquill {

bool Voice::Done() const {
  return std::visit([](const auto& sound) { return sound.Done(); }, sound_);
}

float Voice::Level() const {
  return placement_.gain * std::visit([](const auto& sound) { return sound.Level(); }, sound_);
}

float Voice::Peak() const {
  return placement_.gain * std::visit([](const auto& sound) { return sound.Peak(); }, sound_);
}

void Voice::MixInto(std::span<float> stereo, std::span<float> scratch) {
  const std::span<float> mono = scratch.first(stereo.size() / 2);
  std::visit([mono](auto& sound) { sound.Render(mono); }, sound_);
  const float a = placement_.lowPass;
  const float left = placement_.left;
  const float right = placement_.right;
  float y = lowPassed_;
  for (size_t i = 0; i < mono.size(); ++i) {
    y += a * (mono[i] - y);
    stereo[2 * i] += y * left;
    stereo[2 * i + 1] += y * right;
  }
  lowPassed_ = y;
}

}  // namespace starquill
