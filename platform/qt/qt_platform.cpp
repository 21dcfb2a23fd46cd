#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QTime>
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

void QtPlatform::InformationBox(std::string_view prompt, std::string_view title) {
  QWidget* active = QApplication::activeWindow();
  QMessageBox box(QMessageBox::Information,
                  QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                  DisplayLines(prompt), QMessageBox::Ok, active);
  box.exec();
  // Without a window manager the keyboard focus would stay with the closed box.
  if (active) active->activateWindow();
}

double QtPlatform::SecondsSinceMidnight() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace starquill
