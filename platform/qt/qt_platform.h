#pragma once
// The platform as the desktop program runs it, on Qt Widgets.

#include "platform/platform.h"
#include "platform/qt/qt_timer_service.h"

namespace starquill {

class QtPlatform : public Platform {
 public:
  // Needs a QApplication. Installs a fatal-error reporter that shows the message in a box.
  QtPlatform();
  ~QtPlatform() override;

  TimerService& Timers() override { return timers_; }
  std::unique_ptr<Window> CreateWindow() override;
  void EndProgram() override;

 private:
  QtTimerService timers_;
};

}  // namespace starquill
