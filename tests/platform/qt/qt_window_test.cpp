#include "platform/qt/qt_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "platform/drawing/surface.h"
#include "platform/hosting/control_window.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/menu.h"

namespace starquill {
namespace {

TEST(QtWindow, ShowsSurfacesOneToOneInTheirColours) {
  QtWindow window;
  window.SetCaption("Starquill");
  window.Show(WindowPlace::FullScreen);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(window.ClientWidth(), screen.width());
  EXPECT_EQ(window.ClientHeight(), screen.height());
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
  window.Show(WindowPlace::FullScreen);

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

TEST(QtWindow, AControlShowsItsPictureCutToItsRegion) {
  QtWindow window;
  Surface board(200, 100);
  board.SetBackColor(RGB(0, 0, 0));
  board.Cls();
  ControlWindow button;
  button.Move(20, 10, 10, 10);
  auto face = std::make_shared<Bitmap>();
  face->width = face->height = 10;
  face->pixels.assign(100, 0xFF0000FFu);  // opaque red
  button.SetPicture(face);
  Region shape = Region::Rectangle(0, 0, 10, 10);
  shape.Subtract(Region::Rectangle(0, 0, 3, 3));  // a cut corner
  button.SetWindowRegion(shape);
  window.AddSurface(board);
  window.AddControl(button);
  window.Show(WindowPlace::FullScreen);
  const QImage shown = window.widget()->grab().toImage();
  EXPECT_EQ(shown.pixelColor(25, 15), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(29, 19), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(21, 11), QColor(0, 0, 0));  // cut away: the board shows
  EXPECT_EQ(shown.pixelColor(30, 15), QColor(0, 0, 0));
  button.Hide();
  EXPECT_EQ(window.widget()->grab().toImage().pixelColor(25, 15), QColor(0, 0, 0));
}

TEST(QtWindow, LabelsShowTheirCaptionAndTakeClicks) {
  QtWindow window;
  Surface board(200, 100);
  board.SetBackColor(RGB(0, 255, 0));
  board.Cls();
  Label label(10, 20, 150, 30);
  label.SetCaption("Start Starquill");
  label.Font = FontSpec{"Arial", 12, true, false};
  int clicks = 0;
  label.Click = [&] { ++clicks; };
  window.AddSurface(board);
  window.AddLabel(label);
  window.ShowCentered(200, 100, 4, {});
  EXPECT_EQ(window.ClientWidth(), 200);
  const QImage shown = window.widget()->grab().toImage();
  int dark = 0;
  for (int y = 24; y < 54; ++y) {
    for (int x = 14; x < 164; ++x)
      dark += shown.pixelColor(x, y).green() < 128;
  }
  EXPECT_GT(dark, 20);  // black text over the green board, inside the frame's offset
  // The frame's outer edge is the desktop's 3-D light.
  EXPECT_EQ(shown.pixelColor(1, 50).rgb(), QApplication::palette().color(QPalette::Midlight).rgb());
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 30), QPointF(30, 30), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.widget(), &press);
  EXPECT_EQ(clicks, 1);
}

TEST(QtWindow, APressReachesTheTopmostSurfaceInItsScaleUnits) {
  QtWindow window;
  Surface sky(200, 100);
  sky.SetScaleTop(200);
  sky.SetScaleHeight(-200);
  sky.SetScaleWidth(400);
  Surface button(20, 10);
  button.Move(50, 50, 20, 10);
  window.AddSurface(sky);
  window.AddSurface(button);
  window.Show(WindowPlace::FullScreen);
  std::vector<std::tuple<Surface*, int, int, float, float>> presses;
  window.MouseDown = [&](Surface& s, int b, int shift, float x, float y) {
    presses.emplace_back(&s, b, shift, x, y);
  };
  const qreal ratio = window.widget()->devicePixelRatioF();
  const auto press = [&](double px, double py, Qt::MouseButton b, Qt::KeyboardModifiers m) {
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(px / ratio, py / ratio),
                      window.widget()->mapToGlobal(QPointF(px / ratio, py / ratio)), b, b, m);
    QCoreApplication::sendEvent(window.widget(), &event);
  };
  press(10, 20, Qt::RightButton, Qt::ShiftModifier);
  press(55, 52, Qt::LeftButton, Qt::ControlModifier);
  press(300, 300, Qt::LeftButton, Qt::NoModifier);  // on no surface
  ASSERT_EQ(presses.size(), 2u);
  EXPECT_EQ(presses[0], std::make_tuple(&sky, int{kRightButton}, int{kShiftKey}, 20.0f, 160.0f));
  EXPECT_EQ(presses[1], std::make_tuple(&button, int{kLeftButton}, int{kCtrlKey}, 5.0f, 2.0f));
}

TEST(QtWindow, ThePointerHidesWhenIdleAndReturnsWithMotion) {
  QtWindow window;
  window.Show(WindowPlace::FullScreen);
  window.HidePointerWhenIdle(30);
  const auto shape = [&] { return window.widget()->cursor().shape(); };
  QElapsedTimer waited;
  waited.start();
  while (shape() != Qt::BlankCursor && waited.elapsed() < 2000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  EXPECT_EQ(shape(), Qt::BlankCursor);
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), window.widget()->mapToGlobal(QPointF(5, 5)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.widget(), &move);
  EXPECT_EQ(shape(), Qt::ArrowCursor);
}

TEST(QtWindow, PopupShowsCaptionsChecksAndSeparatorsAndRunsTheChoice) {
  QtWindow window;
  window.Show(WindowPlace::FullScreen);
  MenuItem first("&First"), second("&Second"), line("-"), last("&Last");
  second.Checked = true;
  int clicked = 0;
  last.Click = [&] { ++clicked; };
  Menu menu{"Options", {&first, &second, &line, &last}};
  QStringList seen;
  QTimer::singleShot(50, [&] {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    for (QAction* action : popup->actions()) {
      seen << (action->isSeparator() ? QStringLiteral("-")
                                     : action->text() + (action->isChecked() ? "*" : ""));
    }
    // The access key picks the item, as a user's key press would.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_L, Qt::NoModifier, QStringLiteral("l"));
    QCoreApplication::sendEvent(popup, &key);
  });
  window.PopupMenu(menu);
  EXPECT_EQ(seen, QStringList({"&First", "&Second*", "-", "&Last"}));
  EXPECT_EQ(clicked, 1);
}

}  // namespace
}  // namespace starquill
