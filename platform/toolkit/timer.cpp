#include "platform/toolkit/timer.h"

#include <algorithm>

namespace starquill {

Timer::Timer(TimerService& service, int interval, bool enabled, Handler handler)
    : service_(service),
      interval_(interval),
      enabled_(enabled),
      handler_(std::make_shared<const Handler>(std::move(handler))) {
  if (enabled_) Restart();
}

Timer::~Timer() {
  service_.Forget(*this);
}

void Timer::SetInterval(int milliseconds) {
  interval_ = milliseconds;
  if (enabled_) Restart();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_) {
    Restart();
  } else {
    service_.Stop(*this);
  }
}

void Timer::Restart() {
  const int period = TimerService::PeriodFor(interval_);
  if (period > 0) {
    service_.Start(*this, period);
  } else {
    service_.Stop(*this);
  }
}

void Timer::Fire() {
  if (!enabled_ || !*handler_) return;
  // Hold the handler: running it may destroy this timer and with it the timer's reference.
  const std::shared_ptr<const Handler> handler = handler_;
  (*handler)();
}

std::unique_ptr<Timer> TimerService::CreateTimer(int intervalMs, bool enabled,
                                                 Timer::Handler onTick) {
  return std::unique_ptr<Timer>(new Timer(*this, intervalMs, enabled, std::move(onTick)));
}

int TimerService::PeriodFor(int intervalMs) {
  return intervalMs <= 0 ? 0 : std::max(intervalMs, kResolutionMs);
}

}  // namespace starquill
