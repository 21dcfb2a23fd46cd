#pragma once
// Timers on Qt's event loop, with precise timing.

#include <QElapsedTimer>
#include <QTimer>
#include <map>
#include <memory>

#include "platform/toolkit/timer.h"

namespace starquill {

class QtTimerService : public TimerService {
 public:
  QtTimerService() { clock_.start(); }
  ~QtTimerService() override;
  double NowMs() const override { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }
  // Stops every timer, for good: used when the program stops on a fatal error.
  void StopAll();

 protected:
  void Start(Timer& timer, int periodMs) override;
  void Stop(Timer& timer) override;
  void Forget(Timer& timer) override;

 private:
  std::map<Timer*, std::unique_ptr<QTimer>> timers_;
  bool stopped_for_good_ = false;
  QElapsedTimer clock_;
};

}  // namespace starquill
