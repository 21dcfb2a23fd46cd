// What the button does with input: its looks and its events, driven through its window's
// messages as the platform delivers them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/hosting/control_input.h"
#include "platform/hosting/input_codes.h"
#include "tests/support/button_fixture.h"

namespace starquill {
namespace {

using testing::ButtonUnderTest;
using Log = std::vector<std::string>;

// A Style 0 button, 100 x 30 at the form's origin, with hover tracking set up and its events
// logged. Its look is read off row 1, where every state paints its own colour.
class ButtonInput : public ::testing::Test {
 protected:
  ButtonInput() {
    b.Run();
    input.AddControl(b.button->Window());
    CandyButton& button = *b.button;
    button.Click = [this] { events.push_back("Click"); };
    button.DblClick = [this] { events.push_back("DblClick"); };
    button.MouseEnter = [this] { events.push_back("MouseEnter"); };
    button.MouseLeave = [this] { events.push_back("MouseLeave"); };
    const auto mouse = [this](const char* name) {
      return [this, name](int16_t& Button, int16_t&, float& x, float& y) {
        events.push_back(std::string(name) + " " + std::to_string(Button) + " " +
                         std::to_string(static_cast<int>(x)) + "," +
                         std::to_string(static_cast<int>(y)));
      };
    };
    button.MouseDown = mouse("MouseDown");
    button.MouseUp = mouse("MouseUp");
  }

  std::string Look() const {
    const Color c = b.Shown(50, 1);
    if (c == RGB(255, 240, 202)) return "hover";
    if (c == RGB(206, 231, 255)) return "focus";
    if (c == RGB(209, 204, 193)) return "down";
    return "up";
  }
  void Move(int x, int y, int buttons = 0) { input.PointerMoved(x, y, {buttons}); }
  void Press(int x, int y, int button = kLeftButton) {
    input.ButtonPressed(x, y, button, {button}, false);
  }
  void Release(int x, int y, int button = kLeftButton) { input.ButtonReleased(x, y, button, {}); }
  LRESULT Send(UINT message, MouseKeys keys, int x, int y) {
    return b.button->Window().SendMessage(message, MouseWParam(keys), MakeMouseLParam(x, y));
  }

  ButtonUnderTest b{100, 30, 0};
  ControlInput input;
  Log events;
};

TEST_F(ButtonInput, EnterPressReleaseInside) {
  Move(50, 15);
  EXPECT_EQ(Look(), "hover");
  Press(50, 15);
  EXPECT_EQ(Look(), "down");
  Release(50, 15);
  EXPECT_EQ(Look(), "hover");
  EXPECT_EQ(events, (Log{"MouseEnter", "MouseDown 1 50,15", "MouseUp 1 50,15", "Click"}));
}

TEST_F(ButtonInput, DraggedOutItGoesUpAndComesBackOnlyAtTheRelease) {
  Move(50, 15);
  Press(50, 15);
  Move(120, 15, kLeftButton);
  EXPECT_EQ(Look(), "up");
  EXPECT_FALSE(b.button->MouseOver());
  Move(50, 15, kLeftButton);  // back in with the left button alone: no hover
  EXPECT_EQ(Look(), "up");
  Release(150, 15);  // released outside: focus, no click, and now the leave
  EXPECT_EQ(Look(), "focus");
  EXPECT_EQ(events, (Log{"MouseEnter", "MouseDown 1 50,15", "MouseUp 1 150,15", "MouseLeave"}));
}

TEST_F(ButtonInput, EnterKeyPressesWithoutAClick) {
  input.SetFocus(&b.button->Window());
  EXPECT_EQ(Look(), "focus");
  input.KeyPressed(13, 0);
  EXPECT_EQ(Look(), "down");
  input.KeyReleased(13, 0);
  EXPECT_EQ(Look(), "focus");
  input.KeyPressed('A', 0);
  EXPECT_EQ(events, (Log{"MouseDown 1 0,0", "MouseUp 1 0,0"}));
}

TEST_F(ButtonInput, RightPressPaintsDownAndTakesFocus) {
  Press(50, 15, kRightButton);
  EXPECT_EQ(Look(), "down");
  EXPECT_TRUE(b.button->HasFocus());
  Release(50, 15, kRightButton);
  EXPECT_EQ(Look(), "focus");
  EXPECT_EQ(events, (Log{"MouseDown 2 50,15", "MouseUp 2 50,15"}));
}

TEST_F(ButtonInput, ReleaseRepaintsNothingWhenCheckedOrNeitherOverNorFocused) {
  const PictureRef idle = b.button->Window().Picture();
  Send(WM_LBUTTONUP, {}, 5, 5);
  EXPECT_EQ(b.button->Window().Picture(), idle);  // neither hovered nor focused
  EXPECT_EQ(events, Log{"MouseUp 1 5,5"});

  b.button->SetChecked(true);
  const PictureRef checked = b.button->Window().Picture();
  Move(50, 15);
  EXPECT_NE(b.button->Window().Picture(), checked);  // hovering repaints, still checked
  const PictureRef hovered_checked = b.button->Window().Picture();
  Send(WM_LBUTTONUP, {}, 5, 5);
  EXPECT_EQ(b.button->Window().Picture(), hovered_checked);
}

TEST_F(ButtonInput, FocusRulesAroundTheHover) {
  Move(50, 15);
  input.SetFocus(&b.button->Window());
  EXPECT_EQ(Look(), "hover");  // focus gained while hovered keeps the hover
  input.SetFocus(nullptr);
  EXPECT_EQ(Look(), "up");  // focus lost paints up, hovered or not
}

TEST_F(ButtonInput, ABothButtonsMoveOutsideKeepsTheHover) {
  Move(50, 15);
  Send(WM_MOUSEMOVE, {kLeftButton | kRightButton}, 500, 5);
  EXPECT_TRUE(b.button->MouseOver());
  EXPECT_EQ(Look(), "hover");
}

TEST_F(ButtonInput, HoverStartsOnlyStrictlyInsideAndNotOnALeftDrag) {
  for (const auto& [x, y] : {std::pair{0, 15}, {50, 0}, {100, 15}, {50, 30}}) {
    Send(WM_MOUSEMOVE, {}, x, y);
    ASSERT_FALSE(b.button->MouseOver()) << x << "," << y;
  }
  Send(WM_MOUSEMOVE, {kLeftButton}, 50, 15);
  EXPECT_FALSE(b.button->MouseOver());
  Send(WM_MOUSEMOVE, {kLeftButton, kShiftKey}, 50, 15);
  EXPECT_TRUE(b.button->MouseOver());  // left and Shift is no drag with the left button alone
  EXPECT_TRUE(b.button->Window().TrackingLeave());
  EXPECT_EQ(events, Log{"MouseEnter"});
}

TEST_F(ButtonInput, TheHostMayChangeAMovesArgumentsBeforeTheButtonLooks) {
  Move(50, 15);
  b.button->MouseMove = [](int16_t&, int16_t&, float& x, float&) { x = -5; };
  // A drag with the left button inside the button, which the host reports as outside.
  Send(WM_MOUSEMOVE, {kLeftButton}, 51, 15);
  EXPECT_FALSE(b.button->MouseOver());
  EXPECT_EQ(Look(), "up");
}

TEST_F(ButtonInput, DoubleClickPaintsDown) {
  input.ButtonPressed(50, 15, kLeftButton, {kLeftButton}, true);
  EXPECT_EQ(Look(), "down");
  EXPECT_EQ(events.back(), "DblClick");
}

TEST_F(ButtonInput, ResizeReshapesShowRepaintsAndDestroyEndsTheHooks) {
  b.button->SetStyle(3);
  b.button->Window().Move(0, 0, 60, 40);
  EXPECT_FALSE(b.button->Window().WindowRegion()->Contains(59, 20));
  EXPECT_TRUE(b.button->Window().WindowRegion()->Contains(58, 20));
  const PictureRef before = b.button->Window().Picture();
  b.button->Window().Show();
  EXPECT_NE(b.button->Window().Picture(), before);
  EXPECT_NE(b.button->Window().Procedure().Replaced(), nullptr);  // hooked
  b.button->Window().Destroy();
  EXPECT_EQ(b.button->Window().Procedure().Replaced(), nullptr);
}

using Notifier = ControlHost::LeaveNotifier;

TEST(ButtonWithoutLeaveNotice, WorksWithoutHoverOrEnterAndLeave) {
  ButtonUnderTest b(100, 30, 0);
  b.host.user32_leave = false;
  b.host.comctl32_leave = false;
  Log events;
  b.button->MouseEnter = [&] { events.push_back("MouseEnter"); };
  b.button->Click = [&] { events.push_back("Click"); };
  b.Run();
  EXPECT_FALSE(b.button->m_TrackAvailable);
  EXPECT_EQ(b.button->Window().Procedure().Replaced(), nullptr);  // nothing hooked
  ControlInput input;
  input.AddControl(b.button->Window());
  input.PointerMoved(50, 15, {});
  EXPECT_FALSE(b.button->MouseOver());
  input.ButtonPressed(50, 15, kLeftButton, {kLeftButton}, false);
  input.ButtonReleased(50, 15, kLeftButton, {});
  EXPECT_EQ(events, Log{"Click"});
}

TEST(ButtonWithoutLeaveNotice, PrefersTheUserInterfaceModuleAndFallsBackToTheCommonControls) {
  ButtonUnderTest user32(100, 30, 0);
  user32.Run();
  EXPECT_TRUE(user32.button->m_TrackUser32);
  EXPECT_EQ(user32.host.leave_queries, std::vector<Notifier>{Notifier::kUser32});

  ButtonUnderTest b(100, 30, 0);
  b.host.user32_leave = false;
  b.Run();
  EXPECT_TRUE(b.button->m_TrackAvailable);
  EXPECT_FALSE(b.button->m_TrackUser32);
  EXPECT_EQ(b.host.leave_queries, (std::vector<Notifier>{Notifier::kUser32, Notifier::kComctl32}));
  b.button->Window().SendMessage(WM_MOUSEMOVE, 0, MakeMouseLParam(50, 15));
  EXPECT_TRUE(b.button->Window().TrackingLeave());
}

}  // namespace
}  // namespace starquill
