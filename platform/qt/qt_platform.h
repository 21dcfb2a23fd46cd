#pragma once
// The platform as the desktop program runs it, on Qt Widgets.

#include <QObject>
#include <QPointer>
#include <QScreen>
#include <QString>
#include <functional>
#include <vector>

#include "platform/hosting/message_box.h"
#include "platform/qt/qt_timer_service.h"
#include "platform/support/fatal.h"
#include "platform/toolkit/platform.h"

namespace starquill {

// A message's text as a message box shows it: one line per line, whatever the line endings.
QString DisplayLines(std::string_view prompt);

// A modal message box with one OK button and the icon, over the active window, which gets the
// keyboard back when the box closes.
void ShowModalBox(std::string_view prompt, BoxIcon icon, std::string_view title);

class HostWindow;

class QtPlatform : public Platform {
 public:
  // Needs a QApplication. Installs a fatal-error reporter that shows the message in a box, for
  // as long as it lives.
  QtPlatform();
  ~QtPlatform() override;

  TimerService& Timers() override { return timers_; }
  std::unique_ptr<Window> CreateWindow() override;
  void EndProgram() override;
  void ShowMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title) override;
  // To the system log.
  void LogError(std::string_view text) override;
  double SecondsSinceMidnight() override;
  void Post(std::function<void()> task) override;
  std::unique_ptr<ScreenAwake> KeepScreenAwake(std::string_view reason) override;
  Color SystemColor(int index) const override;

  // The window of another program that windows created from now on show in when told to show
  // there (WindowPlace::InHost). It must outlive them.
  void ShowInHost(HostWindow* host) { host_ = host; }

 private:
  void RunPosted();

  QtTimerService timers_;
  QPointer<QScreen> home_screen_;
  HostWindow* host_ = nullptr;
  FatalReporter previous_reporter_;
  // Tasks posted to run after the current event, and the context of their timers: pending runs
  // end with the platform.
  std::vector<std::function<void()>> posted_;
  QObject posting_;
};

}  // namespace starquill
