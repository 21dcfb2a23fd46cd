#pragma once
// The show's sound as its scene hears it: what the show tells is posted to the scene, whose mix
// whoever owns it renders (the audio output's thread, or a recording beside its frames).

#include <cstdint>

#include "show/show_sound.h"
#include "sound/sound_scene.h"

namespace starquill {

class SceneSound : public ShowSound {
 public:
  // The synthesis follows the run's seed, so that a show repeats its sound.
  explicit SceneSound(uint64_t seed) : scene_(seed) {}

  void Launch(float x, float y) override { scene_.Launch(x, y); }
  void Burst(float x, float y, int32_t sparkles) override { scene_.Burst(x, y, sparkles); }
  void Crackle(float x, float y, int32_t live) override { scene_.Crackle(x, y, live); }
  void ToggleMute() override { scene_.SetMuted(!scene_.Muted()); }

 protected:
  SoundScene scene_;
};

}  // namespace starquill
