#include "sound/sound_scene.h"

#include <algorithm>

#include "sound/audio_format.h"

namespace starquill {
namespace {

constexpr size_t kMuteFadeFrames = FramesIn(0.005);

}  // namespace

SoundScene::SoundScene(uint64_t seed) : random_(seed) {
  taken_.reserve(SoundEventQueue::kMostPending);
}

void SoundScene::Launch(float pan, float height) {
  queue_.Post({SoundEvent::Kind::kLaunch, pan, height, 0});
}

void SoundScene::Burst(float pan, float height, int32_t sparkles) {
  queue_.Post({SoundEvent::Kind::kBurst, pan, height, sparkles});
}

void SoundScene::Crackle(float pan, float height, int32_t liveSparkles) {
  queue_.Post({SoundEvent::Kind::kCrackle, pan, height, liveSparkles});
}

void SoundScene::Start(const SoundEvent& event) {
  const Placement placement = Placement::At(event.pan, event.height);
  switch (event.kind) {
    case SoundEvent::Kind::kLaunch:
      voices_.Admit(Voice(Whoosh(random_), placement));
      break;
    case SoundEvent::Kind::kBurst:
      if (event.sparkles > 0) voices_.Admit(Voice(Bang(random_, event.sparkles), placement));
      break;
    case SoundEvent::Kind::kCrackle:
      if (event.sparkles > 0) {
        voices_.Admit(Voice(starquill::Crackle(random_, event.sparkles), placement));
      }
      break;
  }
}

void SoundScene::Render(std::span<float> stereo) {
  std::fill(stereo.begin(), stereo.end(), 0.0f);
  const size_t frames = stereo.size() / 2;
  stereo = stereo.first(2 * frames);

  queue_.TakeAll(taken_);
  const bool muted = Muted();
  if (!muted) {
    silenced_ = false;
    for (const SoundEvent& event : taken_)
      Start(event);
  }
  taken_.clear();
  if (silenced_) return;

  for (size_t frame = 0; frame < frames; frame += VoicePool::kMaxFrames) {
    const size_t count = std::min(VoicePool::kMaxFrames, frames - frame);
    voices_.MixInto(stereo.subspan(2 * frame, 2 * count));
  }
  limiter_.Process(stereo);

  if (muted) {
    for (size_t frame = 0; frame < frames; ++frame) {
      const float gain =
          frame < kMuteFadeFrames ? 1.0f - static_cast<float>(frame) / kMuteFadeFrames : 0.0f;
      stereo[2 * frame] *= gain;
      stereo[2 * frame + 1] *= gain;
    }
    voices_.Clear();
    limiter_.Reset();
    silenced_ = true;
  }
}

void SoundScene::DropPending() {
  queue_.TakeAll(taken_);
  taken_.clear();
  voices_.Clear();
  limiter_.Reset();
}

}  // namespace starquill
