#include "platform/toolkit/manual_timer_service.h"

#include <algorithm>
#include <cmath>

namespace starquill {

std::vector<ManualTimerService::Entry>::iterator ManualTimerService::Find(Timer& timer) {
  return std::find_if(entries_.begin(), entries_.end(),
                      [&](const Entry& e) { return e.timer == &timer; });
}

void ManualTimerService::Start(Timer& timer, int periodMs) {
  Stop(timer);
  entries_.push_back({&timer, now_ + periodMs, periodMs, next_order_++});
}

void ManualTimerService::Stop(Timer& timer) {
  if (auto it = Find(timer); it != entries_.end()) entries_.erase(it);
}

int64_t ManualTimerService::TimeToNextEvent() const {
  if (entries_.empty()) return -1;
  const auto it = std::min_element(entries_.begin(), entries_.end(),
                                   [](const Entry& a, const Entry& b) { return a.due < b.due; });
  return it->due - now_;
}

void ManualTimerService::Advance(int64_t milliseconds) {
  const int64_t target = now_ + std::max<int64_t>(milliseconds, 0);
  for (;;) {
    auto next =
        std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
          return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
    if (next == entries_.end() || next->due > target) break;
    now_ = next->due;
    fine_now_ = static_cast<double>(now_);
    // Schedule the next event before firing: the handler may restart, stop or destroy it.
    next->due += next->period;
    next->order = next_order_++;
    Timer& timer = *next->timer;
    if (BeforeEvent) BeforeEvent(now_);
    Fire(timer);
  }
  now_ = target;
  fine_now_ = static_cast<double>(now_);
}

void ManualTimerService::AdvanceTo(double ms) {
  if (!(ms > fine_now_)) return;  // also NaN
  Advance(static_cast<int64_t>(std::floor(ms)) - now_);
  fine_now_ = std::max(ms, fine_now_);
}

}  // namespace starquill
