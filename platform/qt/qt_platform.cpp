#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QTime>
#include <QTimer>
#include <string>
#include <vector>

#include "platform/hosting/gdi.h"
#include "platform/qt/nested_events.h"
#include "platform/qt/qt_screen_awake.h"
#include "platform/qt/qt_window.h"
#include "platform/support/fatal.h"
#include "platform/toolkit/message_box.h"

namespace starquill {
namespace {

QtTimerService* g_timers = nullptr;

void ShowFatalError(std::string_view message) {
  // No timer may run into the broken state while the box waits for the user.
  if (g_timers) g_timers->StopAll();
  ShowModalBox(message, BoxIcon::Critical, "Starquill");
}

// System colours from the desktop's palette, where it has a match for them.
void InstallDesktopSystemColors() {
  const QPalette palette = QApplication::palette();
  const auto set = [&](int index, QPalette::ColorGroup group, QPalette::ColorRole role) {
    const QColor c = palette.color(group, role);
    SetSysColor(index, static_cast<COLORREF>(c.red() | (c.green() << 8) | (c.blue() << 16)));
  };
  const auto active = QPalette::Active;
  set(4, active, QPalette::Window);      // menu
  set(5, active, QPalette::Base);        // window
  set(7, active, QPalette::WindowText);  // menu text
  set(8, active, QPalette::Text);        // window text
  set(13, active, QPalette::Highlight);
  set(14, active, QPalette::HighlightedText);
  set(15, active, QPalette::Button);            // button face
  set(16, active, QPalette::Dark);              // button shadow
  set(17, QPalette::Disabled, QPalette::Text);  // grey text
  set(18, active, QPalette::ButtonText);
  set(20, active, QPalette::Light);     // button highlight
  set(21, active, QPalette::Shadow);    // dark shadow
  set(22, active, QPalette::Midlight);  // 3-D light
  set(23, active, QPalette::ToolTipText);
  set(24, active, QPalette::ToolTipBase);
  set(26, active, QPalette::Link);    // hot-tracked item
  set(30, active, QPalette::Window);  // menu bar
}

}  // namespace

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
  SetMessageBoxHandler(&ShowModalBox);
  QApplication::setQuitOnLastWindowClosed(false);
  InstallDesktopSystemColors();
  g_timers = &timers_;
  SetFatalReporter(&ShowFatalError);
}

QtPlatform::~QtPlatform() {
  if (g_timers == &timers_) {
    g_timers = nullptr;
    SetFatalReporter(nullptr);
    SetMessageBoxHandler(nullptr);
  }
}

std::unique_ptr<Window> QtPlatform::CreateWindow() {
  auto window = std::make_unique<QtWindow>();
  // A full-screen window opens on the screen the program's previous window was on.
  window->SetHomeScreen([this] { return home_screen_.data(); });
  // The program ends when its last window is closed; checked after the current event, so that
  // a window closed while another one opens does not end it.
  window->SetClosedHandler([this, widget = window->widget()] {
    home_screen_ = widget->screen();
    Post([] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowType() != Qt::Popup) return;
      }
      QCoreApplication::quit();
    });
  });
  return window;
}

namespace {

std::vector<std::function<void()>>& PostedTasks() {
  static std::vector<std::function<void()>> tasks;
  return tasks;
}

// Runs the posted tasks, unless the current event is still being handled further up (event
// processing nested inside it): then a little later.
void RunPostedTasks() {
  if (NestedEventDepth() > 0) {
    QTimer::singleShot(1, qApp, &RunPostedTasks);
    return;
  }
  auto tasks = std::move(PostedTasks());
  PostedTasks().clear();
  for (auto& task : tasks)
    task();
}

}  // namespace

void QtPlatform::Post(std::function<void()> task) {
  PostedTasks().push_back(std::move(task));
  if (PostedTasks().size() == 1) QTimer::singleShot(0, qApp, &RunPostedTasks);
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
  ShowModalBox(prompt, BoxIcon::Information, title);
}

double QtPlatform::SecondsSinceMidnight() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

std::unique_ptr<ScreenAwake> QtPlatform::KeepScreenAwake(std::string_view reason) {
  return std::make_unique<DBusScreenAwake>(reason);
}

}  // namespace starquill
