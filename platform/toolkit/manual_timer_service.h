#pragma once
// A timer service driven by hand: time stands still until Advance moves it, and then every
// timer that falls due fires in the order of its due time (ties in the order the timers were
// scheduled). Deterministic: the clock of tests, and of a show recorded without a display.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/toolkit/timer.h"

namespace starquill {

class ManualTimerService : public TimerService {
 public:
  int64_t Now() const { return now_; }
  double NowMs() const override { return fine_now_; }
  // Moves the clock forward by `milliseconds`, firing every event due up to the new time.
  void Advance(int64_t milliseconds);
  // Moves the clock forward to a moment that may lie between two milliseconds (a video
  // frame's), firing every event due up to it; NowMs then tells that moment.
  void AdvanceTo(double ms);
  // Milliseconds until the next event, or -1 when no timer runs.
  int64_t TimeToNextEvent() const;
  // Told the time of each event just before it fires (the clock stands there already), so that
  // whatever runs beside the timers (a recording's sound) can catch up to that moment first.
  std::function<void(int64_t dueMs)> BeforeEvent;

 protected:
  void Start(Timer& timer, int periodMs) override;
  void Stop(Timer& timer) override;
  void Forget(Timer& timer) override { Stop(timer); }

 private:
  struct Entry {
    Timer* timer;
    int64_t due;
    int period;
    uint64_t order;
  };
  std::vector<Entry>::iterator Find(Timer& timer);

  int64_t now_ = 0;
  double fine_now_ = 0;
  uint64_t next_order_ = 0;
  std::vector<Entry> entries_;
};

}  // namespace starquill
