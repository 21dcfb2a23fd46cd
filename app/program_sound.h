#pragma once
// The show's sound as the program plays it: the scene the show tells what happens in the sky,
// and the audio output that plays the scene's mix on the audio thread. Made only when the user
// asks for sound: without it the program opens no audio connection at all.

#include <cstdint>
#include <span>

#include "platform/audio/audio_source.h"
#include "platform/audio/sound_output.h"
#include "show/show_sound.h"
#include "sound/sound_scene.h"

namespace starquill {

class ProgramSound : public ShowSound, private AudioSource {
 public:
  // Starts the output; the synthesis follows the run's seed, so that a show repeats its sound.
  explicit ProgramSound(uint64_t seed);
  ~ProgramSound() override;
  ProgramSound(const ProgramSound&) = delete;
  ProgramSound& operator=(const ProgramSound&) = delete;

  void Launch(float x, float y) override { scene_.Launch(x, y); }
  void Burst(float x, float y, int32_t sparkles) override { scene_.Burst(x, y, sparkles); }
  void Crackle(float x, float y, int32_t live) override { scene_.Crackle(x, y, live); }
  void ToggleMute() override { scene_.SetMuted(!scene_.Muted()); }

  // How the output has done so far: latency by the audio clock, near-underruns.
  SoundOutputStats Stats() const { return output_.Stats(); }

 private:
  void Render(std::span<float> stereo) override { scene_.Render(stereo); }
  void Drop() override { scene_.DropPending(); }

  SoundScene scene_;
  SoundOutput output_;  // declared after the scene: it stops calling the scene before it goes
};

}  // namespace starquill
