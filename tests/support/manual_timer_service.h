#pragma once
// A timer service driven by hand: time stands still until Advance moves it, and then every
// timer that falls due fires in the order of its due time (ties in the order the timers were
// scheduled). Deterministic, for tests and simulations without a display.

#include <cstdint>
#include <vector>

#include "platform/toolkit/timer.h"

namespace starquill {

class ManualTimerService : public TimerService {
 public:
  int64_t Now() const { return now_; }
  double NowMs() const override { return static_cast<double>(now_); }
  // Moves the clock forward by `milliseconds`, firing every event due up to the new time.
  void Advance(int64_t milliseconds);
  // Milliseconds until the next event, or -1 when no timer runs.
  int64_t TimeToNextEvent() const;

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
  uint64_t next_order_ = 0;
  std::vector<Entry> entries_;
};

}  // namespace starquill
