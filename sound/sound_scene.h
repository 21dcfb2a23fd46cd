#pragma once
// The show's sound: the show posts what happens in the sky (a launch, a burst, a trail's
// crackle) from its own thread, and the audio thread renders the mix, 48 kHz interleaved
// stereo float. Events posted between two renders start at the first frame of the next one.
// Everything is synthesised from the scene's own random generator, seeded at construction:
// the same seed and the same events in the same blocks render the same samples, and the
// show's shared generator is never touched.
//
// Positions are shares of the sky: pan 0 at the left edge to 1 at the right, height 0 on the
// ground to 1 at the top; values outside are taken as the nearest edge.

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "sound/soft_limiter.h"
#include "sound/sound_events.h"
#include "sound/sound_random.h"
#include "sound/voice_pool.h"

namespace starquill {

class SoundScene {
 public:
  explicit SoundScene(uint64_t seed);

  // Any thread (the show's). None of them waits for the audio thread.
  // A rocket leaves the ground: a rising whoosh of 0.6-1 s.
  void Launch(float pan, float height);
  // A rocket bursts into a shower: a bang as loud and as long as the shower is big.
  void Burst(float pan, float height, int32_t sparkles);
  // A trail's live sparkles crackle for the next 55 ms. Post it once per show tick for each
  // firework with live trail sparkles; none, and its crackle stops.
  void Crackle(float pan, float height, int32_t liveSparkles);
  // Muted, the next rendered block fades out within 5 ms and every block after it is exact
  // silence; what is posted meanwhile is dropped.
  void SetMuted(bool muted) { muted_.store(muted, std::memory_order_relaxed); }
  bool Muted() const { return muted_.load(std::memory_order_relaxed); }

  // The audio thread.
  // Fills interleaved stereo frames (an odd last sample is left silent).
  void Render(std::span<float> stereo);
  // Nothing can be heard (the output has no server): forgets what was posted and what sounds.
  void DropPending();
  int ActiveVoices() const { return voices_.Count(); }

 private:
  void Start(const SoundEvent& event);

  SoundEventQueue queue_;
  std::atomic<bool> muted_{false};
  // Owned by the audio thread.
  std::vector<SoundEvent> taken_;
  bool silenced_ = false;  // muted, and the fade-out is done
  SoundRandom random_;
  VoicePool voices_;
  SoftLimiter limiter_;
};

}  // namespace starquill
