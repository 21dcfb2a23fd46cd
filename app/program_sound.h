#pragma once
// The show's sound as the program plays it: the scene the show tells what happens in the sky,
// and the audio output that plays the scene's mix on the audio thread. Made only when the user
// asks for sound: without it the program opens no audio connection at all.

#include <cstdint>
#include <span>

#include "app/scene_sound.h"
#include "platform/audio/audio_source.h"
#include "platform/audio/sound_output.h"

namespace starquill {

class ProgramSound : public SceneSound, private AudioSource {
 public:
  // Starts the output.
  explicit ProgramSound(uint64_t seed);
  ~ProgramSound() override;
  ProgramSound(const ProgramSound&) = delete;
  ProgramSound& operator=(const ProgramSound&) = delete;

  // How the output has done so far: latency by the audio clock, near-underruns.
  SoundOutputStats Stats() const { return output_.Stats(); }

 private:
  void Render(std::span<float> stereo) override { scene_.Render(stereo); }
  void Drop() override { scene_.DropPending(); }

  SoundOutput output_;  // after the scene (a base): it stops calling the scene before it goes
};

}  // namespace starquill
