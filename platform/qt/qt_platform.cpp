#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QTime>
#include <QTimer>
#include <string>
#include <vector>

#include "platform/qt/nested_events.h"
#include "platform/qt/qt_screen_awake.h"
#include "platform/qt/qt_system_colors.h"
#include "platform/qt/qt_window.h"
#include "platform/support/fatal.h"
#include "platform/toolkit/event_log.h"

namespace starquill {

void ShowModalBox(std::string_view prompt, BoxIcon icon, std::string_view title) {
  QWidget* active = QApplication::activeWindow();
  const QMessageBox::Icon shown = icon == BoxIcon::Information   ? QMessageBox::Information
                                  : icon == BoxIcon::Exclamation ? QMessageBox::Warning
                                                                 : QMessageBox::Critical;
  QMessageBox box(shown, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                  DisplayLines(prompt), QMessageBox::Ok, active);
  box.exec();
  // Without a window manager the keyboard focus would stay with the closed box.
  if (active) active->activateWindow();
}

QtPlatform::QtPlatform() {
  QApplication::setQuitOnLastWindowClosed(false);
  previous_reporter_ = SetFatalReporter([this](std::string_view message) {
    // No timer may run into the broken state while the box waits for the user.
    timers_.StopAll();
    ShowModalBox(message, BoxIcon::Critical, "Starquill");
  });
}

QtPlatform::~QtPlatform() {
  SetFatalReporter(std::move(previous_reporter_));
}

std::unique_ptr<Window> QtPlatform::CreateWindow() {
  auto window = std::make_unique<QtWindow>();
  // A full-screen window opens on the screen the program's previous window was on.
  window->SetHomeScreen([this] { return home_screen_.data(); });
  window->SetHost(host_);
  // Closing a window does not end the program: the program's course knows which window is its
  // last and ends it itself.
  window->SetClosedHandler([this, widget = window->widget()] { home_screen_ = widget->screen(); });
  return window;
}

void QtPlatform::Post(std::function<void()> task) {
  posted_.push_back(std::move(task));
  if (posted_.size() == 1) QTimer::singleShot(0, &posting_, [this] { RunPosted(); });
}

void QtPlatform::RunPosted() {
  // The current event is still being handled further up (event processing nested inside it):
  // a little later.
  if (NestedEventDepth() > 0) {
    QTimer::singleShot(1, &posting_, [this] { RunPosted(); });
    return;
  }
  auto tasks = std::exchange(posted_, {});
  for (auto& task : tasks)
    task();
}

void QtPlatform::EndProgram() {
  timers_.StopAll();
  QCoreApplication::exit(0);
}

QString DisplayLines(std::string_view prompt) {
  // Any mix of line endings shows as plain lines, without an empty line after the last.
  QString text = QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size()));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  while (text.endsWith(QChar('\n')))
    text.chop(1);
  return text;
}

void QtPlatform::ShowMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title) {
  ShowModalBox(prompt, icon, title);
}

void QtPlatform::LogError(std::string_view text) {
  LogErrorEvent(text);
}

double QtPlatform::SecondsSinceMidnight() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

std::unique_ptr<ScreenAwake> QtPlatform::KeepScreenAwake(std::string_view reason) {
  return std::make_unique<QtScreenAwake>(reason);
}

Color QtPlatform::SystemColor(int index) const {
  return DesktopSystemColor(index);
}

}  // namespace starquill
