#include "platform/qt/qt_timer_service.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <memory>

namespace starquill {
namespace {

// Runs Qt's event loop for about `ms` milliseconds.
void RunEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

TEST(QtTimers, FireRepeatedlyAndObeyTheSwitch) {
  QtTimerService service;
  int ticks = 0;
  auto timer = service.CreateTimer(20, true, [&] { ++ticks; });
  RunEventLoop(230);
  EXPECT_GE(ticks, 6);
  EXPECT_LE(ticks, 12);
  timer->SetEnabled(false);
  const int stopped_at = ticks;
  RunEventLoop(100);
  EXPECT_EQ(ticks, stopped_at);
}

TEST(QtTimers, AHandlerMayRetimeAndDestroyItsTimer) {
  QtTimerService service;
  int ticks = 0;
  std::unique_ptr<Timer> timer;
  timer = service.CreateTimer(10, true, [&] {
    if (++ticks == 1) {
      timer->SetInterval(20);
    } else {
      timer.reset();
    }
  });
  RunEventLoop(200);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(timer, nullptr);
}

TEST(QtTimers, StopAllEndsEveryTimerForGood) {
  QtTimerService service;
  int ticks = 0;
  auto timer = service.CreateTimer(15, true, [&] { ++ticks; });
  service.StopAll();
  timer->SetInterval(15);
  RunEventLoop(100);
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace starquill
