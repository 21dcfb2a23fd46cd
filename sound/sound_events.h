#pragma once
// What the show asks the sound engine to play, and the hand-over from the thread that posts
// (the show's) to the thread that renders (the audio thread). The mutex is held only to append
// one event or to swap two vectors; both keep room for kMostPending events, so that neither
// side allocates after start-up. Events beyond kMostPending waiting are dropped.

#include <cstdint>
#include <mutex>
#include <vector>

namespace starquill {

struct SoundEvent {
  enum class Kind : uint8_t { kLaunch, kBurst, kCrackle };
  Kind kind = Kind::kLaunch;
  float pan = 0.5f;
  float height = 0;
  int32_t sparkles = 0;  // a burst's sparkles, or a crackle's live sparkles
};

class SoundEventQueue {
 public:
  static constexpr size_t kMostPending = 1024;

  SoundEventQueue() { pending_.reserve(kMostPending); }

  void Post(const SoundEvent& event) {
    std::lock_guard lock(mutex_);
    if (pending_.size() < kMostPending) pending_.push_back(event);
  }

  // Takes every waiting event into `taken`, which must be empty and is best made with room for
  // kMostPending: its storage is kept for the next posts.
  void TakeAll(std::vector<SoundEvent>& taken) {
    std::lock_guard lock(mutex_);
    pending_.swap(taken);
  }

 private:
  std::mutex mutex_;
  std::vector<SoundEvent> pending_;
};

}  // namespace starquill
