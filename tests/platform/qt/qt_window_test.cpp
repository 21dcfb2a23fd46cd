#include "platform/qt/qt_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "platform/surface.h"

namespace starquill {
namespace {

TEST(QtWindow, ShowsSurfacesOneToOneInTheirColours) {
  QtWindow window;
  window.SetCaption("Starquill");
  window.ShowMaximized();
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  // All of the available area, less the frame where the platform draws one.
  EXPECT_LE(window.ClientWidth(), available.width());
  EXPECT_GE(window.ClientWidth(), available.width() - 16);
  EXPECT_LE(window.ClientHeight(), available.height());
  EXPECT_GE(window.ClientHeight(), available.height() - 40);
  EXPECT_EQ(window.widget()->windowTitle(), "Starquill");

  Surface sky(window.ClientWidth(), window.ClientHeight());
  sky.SetBackColor(RGB(0, 0, 0));
  sky.Cls();
  sky.SetPixelV(10, 20, RGB(255, 0, 0));
  sky.SetPixelV(11, 20, RGB(0, 0, 255));
  Surface inset(4, 4);
  inset.Move(30, 40, 4, 4);
  inset.SetBackColor(RGB(0, 255, 0));
  inset.Cls();
  window.AddSurface(sky);
  window.AddSurface(inset);
  window.Present();

  const QImage shown = window.widget()->grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 20), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(11, 20), QColor(0, 0, 255));
  EXPECT_EQ(shown.pixelColor(12, 20), QColor(0, 0, 0));
  EXPECT_EQ(shown.pixelColor(31, 41), QColor(0, 255, 0));  // the later surface lies on top
}

TEST(QtWindow, DeliversTypedCharactersAndTheClose) {
  QtWindow window;
  std::vector<int> keys;
  int unloaded = 0;
  window.KeyPress = [&](int code) { keys.push_back(code); };
  window.Unloaded = [&] { ++unloaded; };
  window.ShowMaximized();

  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
  QKeyEvent three(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
  QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);  // no character
  QCoreApplication::sendEvent(window.widget(), &escape);
  QCoreApplication::sendEvent(window.widget(), &three);
  QCoreApplication::sendEvent(window.widget(), &shift);
  EXPECT_EQ(keys, (std::vector<int>{27, '3'}));

  window.Unload();
  window.widget()->close();  // a second close reports nothing new
  EXPECT_EQ(unloaded, 1);
}

}  // namespace
}  // namespace starquill
