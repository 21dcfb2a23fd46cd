#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <string>

#include "platform/fatal.h"
#include "platform/qt/qt_window.h"

namespace starquill {
namespace {

QtTimerService* g_timers = nullptr;

void ShowFatalError(std::string_view message) {
  // No timer may run into the broken state while the box waits for the user.
  if (g_timers) g_timers->StopAll();
  const std::string text(message);
  QMessageBox::critical(nullptr, QStringLiteral("Starquill"), QString::fromStdString(text));
}

}  // namespace

QtPlatform::QtPlatform() {
  g_timers = &timers_;
  SetFatalReporter(&ShowFatalError);
}

QtPlatform::~QtPlatform() {
  if (g_timers == &timers_) {
    g_timers = nullptr;
    SetFatalReporter(nullptr);
  }
}

std::unique_ptr<Window> QtPlatform::CreateWindow() {
  return std::make_unique<QtWindow>();
}

void QtPlatform::EndProgram() {
  timers_.StopAll();
  QCoreApplication::exit(0);
}

}  // namespace starquill
