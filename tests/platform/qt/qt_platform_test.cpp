#include "platform/qt/qt_platform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "platform/qt/nested_events.h"
#include "platform/support/fatal.h"
#include "platform/toolkit/system_colors.h"

namespace starquill {
namespace {

TEST(QtPlatform, MessageLinesShowWhateverTheirEndings) {
  EXPECT_EQ(DisplayLines("one\n\rtwo\n\r"), "one\ntwo");
  EXPECT_EQ(DisplayLines("one\r\ntwo\rthree\n"), "one\ntwo\nthree");
  EXPECT_EQ(DisplayLines(""), "");
  std::string thirteen;
  for (int i = 0; i < 13; ++i)
    thirteen += "line\n\r";
  EXPECT_EQ(DisplayLines(thirteen).split('\n').size(), 13);
}

TEST(QtPlatform, TheInformationBoxIsModalWithItsTitleIconAndText) {
  QtPlatform platform;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer::singleShot(50, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &enter);
  });
  platform.InformationBox("first\n\rsecond\n\r", "Starquill");
  EXPECT_EQ(title, "Starquill");
  EXPECT_EQ(text, "first\nsecond");
  EXPECT_EQ(icon, QMessageBox::Information);
}

TEST(QtPlatform, ControlsReportMisuseInAnExclamationBox) {
  QtPlatform platform;
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer::singleShot(50, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    icon = box->icon();
    box->accept();
  });
  platform.ShowMessageBox("Invalid window handle.", BoxIcon::Exclamation,
                          "Error in CandyButton.sc_Subclass");
  EXPECT_EQ(title, "Error in CandyButton.sc_Subclass");
  EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST(QtPlatform, PostedTasksWaitForTheCurrentEventToEnd) {
  QtPlatform platform;
  std::vector<std::string> order;
  {
    const NestedEvents nested;  // as while a window waits to be shown inside an event
    platform.Post([&] { order.push_back("posted"); });
    QCoreApplication::processEvents(QEventLoop::AllEvents, 30);
    order.push_back("event over");
  }
  QEventLoop loop;
  QTimer::singleShot(50, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_EQ(order, (std::vector<std::string>{"event over", "posted"}));
}

// The box is read and closed by a plain Qt timer; the platform's own timer must rest meanwhile.
void FailWhileATimerRuns() {
  QtPlatform platform;
  int ticks = 0;
  const auto timer = platform.Timers().CreateTimer(15, true, [&] { ++ticks; });
  QTimer::singleShot(60, [&] {
    const int atBox = ticks;
    QEventLoop wait;
    QTimer::singleShot(100, &wait, &QEventLoop::quit);
    wait.exec();
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr && box->icon() == QMessageBox::Critical && ticks == atBox) {
      std::fprintf(stderr, "shown: %s\n", box->text().toUtf8().constData());
    }
    if (box != nullptr) box->accept();
  });
  QTimer::singleShot(30, [] { FatalError("Overflow: the test's count"); });
  QEventLoop loop;
  loop.exec();
}

TEST(QtPlatformDeathTest, AFatalErrorStopsTheTimersAndShowsItsMessageBeforeTheExit) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(FailWhileATimerRuns(), ::testing::ExitedWithCode(70),
              "shown: fatal run-time error: Overflow: the test's count");
}

TEST(QtPlatform, TheTimeOfDayHasItsFraction) {
  QtPlatform platform;
  const double now = platform.SecondsSinceMidnight();
  EXPECT_GE(now, 0);
  EXPECT_LT(now, 86400);
}

TEST(QtPlatform, SystemColoursAreTheDesktopsWhereItHasThem) {
  QtPlatform platform;
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(platform.SystemColor(kColorButtonFace), RGB(face.red(), face.green(), face.blue()));
  EXPECT_EQ(platform.SystemColor(3), ClassicSystemColor(3));  // no match on the desktop
  EXPECT_EQ(platform.SystemColor(kSystemColorCount), 0);
  EXPECT_EQ(platform.SystemColor(-1), 0);
}

}  // namespace
}  // namespace starquill
