#pragma once
// Timers with a millisecond interval and an enabled switch. Assigning the interval of an
// enabled timer, or enabling a disabled one, starts its countdown afresh; a handler may change
// its own timer. An interval of 0 or less keeps the timer from firing.
//
// The platform's timers have a resolution of kResolutionMs, about one display frame: a shorter
// interval fires every kResolutionMs.

#include <functional>
#include <memory>

namespace starquill {

class TimerService;

class Timer {
 public:
  using Handler = std::function<void()>;

  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  int Interval() const { return interval_; }
  void SetInterval(int milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

 private:
  friend class TimerService;
  Timer(TimerService& service, int interval, bool enabled, Handler handler);
  void Restart();
  void Fire();

  TimerService& service_;
  int interval_;
  bool enabled_;
  std::shared_ptr<const Handler>
      handler_;  // shared: it must outlive a handler that destroys its timer
};

class TimerService {
 public:
  static constexpr int kResolutionMs = 15;

  virtual ~TimerService() = default;

  // A timer that calls onTick on every event while it is enabled.
  std::unique_ptr<Timer> CreateTimer(int intervalMs, bool enabled, Timer::Handler onTick);

  // The period a timer with this interval really runs at; 0 for a timer that never fires.
  static int PeriodFor(int intervalMs);
  // The time on the clock the timers count, in milliseconds from an arbitrary start: steady,
  // never going back.
  virtual double NowMs() const = 0;

 protected:
  friend class Timer;
  // Starts the countdown of `timer` afresh with a period > 0, replacing any earlier one.
  virtual void Start(Timer& timer, int periodMs) = 0;
  // Stops the countdown; the timer may be started again.
  virtual void Stop(Timer& timer) = 0;
  // The timer is being destroyed; forget it.
  virtual void Forget(Timer& timer) = 0;
  // Runs the timer's handler. The handler may destroy the timer.
  static void Fire(Timer& timer) { timer.Fire(); }
};

}  // namespace starquill
