#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/manual_timer_service.h"

namespace starquill {
namespace {

struct Log {
  ManualTimerService* clock;
  std::vector<std::string> events;
  void Add(const std::string& name) { events.push_back(name + "@" + std::to_string(clock->Now())); }
};

TEST(ManualTimers, FireInOrderOfDueTime) {
  ManualTimerService clock;
  Log log{&clock, {}};
  auto slow = clock.CreateTimer(120, true, [&] { log.Add("slow"); });
  auto fast = clock.CreateTimer(50, true, [&] { log.Add("fast"); });
  clock.Advance(160);
  EXPECT_EQ(log.events, (std::vector<std::string>{"fast@50", "fast@100", "slow@120", "fast@150"}));
  EXPECT_EQ(clock.Now(), 160);
  EXPECT_EQ(clock.TimeToNextEvent(), 40);
}

TEST(ManualTimers, AHandlerMayChangeItsOwnInterval) {
  ManualTimerService clock;
  Log log{&clock, {}};
  std::unique_ptr<Timer> timer;
  timer = clock.CreateTimer(1000, true, [&] {
    log.Add("tick");
    timer->SetInterval(300);
  });
  clock.Advance(1700);
  EXPECT_EQ(log.events, (std::vector<std::string>{"tick@1000", "tick@1300", "tick@1600"}));
}

TEST(ManualTimers, EnablingAndAssigningTheIntervalRestartTheCountdown) {
  ManualTimerService clock;
  Log log{&clock, {}};
  auto timer = clock.CreateTimer(100, false, [&] { log.Add("t"); });
  clock.Advance(250);
  EXPECT_TRUE(log.events.empty());
  timer->SetEnabled(true);
  clock.Advance(60);
  timer->SetInterval(100);  // the same value still starts afresh
  clock.Advance(60);
  timer->SetEnabled(true);  // already enabled: no change
  clock.Advance(60);
  timer->SetEnabled(false);
  clock.Advance(500);
  EXPECT_EQ(log.events, (std::vector<std::string>{"t@410"}));
}

TEST(ManualTimers, ShortIntervalsRunAtTheResolutionAndZeroNeverFires) {
  ManualTimerService clock;
  int fast = 0, never = 0;
  auto one_ms = clock.CreateTimer(1, true, [&] { ++fast; });
  auto zero = clock.CreateTimer(0, true, [&] { ++never; });
  auto negative = clock.CreateTimer(-5, true, [&] { ++never; });
  clock.Advance(150);
  EXPECT_EQ(fast, 150 / TimerService::kResolutionMs);
  EXPECT_EQ(never, 0);
}

TEST(ManualTimers, AHandlerMayDestroyTimers) {
  ManualTimerService clock;
  int fired = 0;
  std::unique_ptr<Timer> other =
      clock.CreateTimer(10 * TimerService::kResolutionMs, true, [&] { ++fired; });
  std::unique_ptr<Timer> self;
  self = clock.CreateTimer(TimerService::kResolutionMs, true, [&] {
    ++fired;
    self.reset();
    other.reset();
  });
  clock.Advance(1000);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(clock.TimeToNextEvent(), -1);
}

}  // namespace
}  // namespace starquill
