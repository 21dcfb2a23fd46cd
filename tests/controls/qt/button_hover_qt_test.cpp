// A real button window in a real Qt window: pointer motion routed by the window system gives
// the hover look and the enter and leave events.

#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>

#include "controls/button_colors.h"
#include "platform/qt/qt_window.h"
#include "tests/support/button_fixture.h"

namespace starquill {
namespace {

TEST(ButtonHoverInQt, PointerMotionOverTheButtonHoversItAndLeavingEndsIt) {
  testing::ButtonUnderTest b(100, 30, 6);
  std::vector<std::string> events;
  b.button->MouseEnter = [&] { events.push_back("enter"); };
  b.button->MouseLeave = [&] { events.push_back("leave"); };
  b.Run();
  b.button->Window().Move(20, 20, 100, 30);

  QtWindow window;
  Surface backdrop(200, 100);
  window.AddSurface(backdrop);
  window.AddControl(b.button->Window());
  window.ShowCentered(200, 100, 0, {});
  QWindow* handle = window.widget()->windowHandle();
  ASSERT_NE(handle, nullptr);
  const qreal ratio = window.widget()->devicePixelRatioF();
  const auto at = [ratio](int x, int y) { return QPoint(int(x / ratio), int(y / ratio)); };

  QTest::mouseMove(handle, at(5, 5));
  QTest::mouseMove(handle, at(70, 35));  // over the button's middle
  EXPECT_TRUE(b.button->MouseOver());
  // The body's middle row is 3 % of the way to the bright colour.
  const auto body = [](Color c) {
    int32_t percent = 3;
    return BlendColors(c, testing::kBrightBlue, percent);
  };
  EXPECT_EQ(b.Shown(90, 15), body(testing::kHoverBlue));
  QTest::mouseMove(handle, at(150, 80));  // off it
  EXPECT_FALSE(b.button->MouseOver());
  EXPECT_EQ(b.Shown(90, 15), body(testing::kBodyBlue));
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
}

}  // namespace
}  // namespace starquill
