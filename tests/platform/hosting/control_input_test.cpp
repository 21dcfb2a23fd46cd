// Routing a form's input to its control windows as window messages.

#include "platform/hosting/control_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace starquill {
namespace {

// A control window that logs the events its own procedure reports.
struct LoggedControl {
  ControlWindow window;
  std::vector<std::string> log;

  LoggedControl(int left, int top, int width, int height) {
    window.Move(left, top, width, height);
    auto& e = window.events;
    const auto at = [](const char* what, int b, float x, float y) {
      return std::string(what) + " " + std::to_string(b) + " " + std::to_string(int(x)) + "," +
             std::to_string(int(y));
    };
    e.MouseDown = [this, at](int b, int, float x, float y) { log.push_back(at("down", b, x, y)); };
    e.MouseMove = [this, at](int b, int, float x, float y) { log.push_back(at("move", b, x, y)); };
    e.MouseUp = [this, at](int b, int, float x, float y) { log.push_back(at("up", b, x, y)); };
    e.Click = [this] { log.push_back("click"); };
    e.DblClick = [this] { log.push_back("dblclick"); };
    e.KeyDown = [this](int key, int) { log.push_back("keydown " + std::to_string(key)); };
    e.KeyUp = [this](int key, int) { log.push_back("keyup " + std::to_string(key)); };
    e.GotFocus = [this] { log.push_back("focus"); };
    e.LostFocus = [this] { log.push_back("blur"); };
  }
};

using Log = std::vector<std::string>;

TEST(ControlInput, APressCapturesTheMouseUntilTheRelease) {
  LoggedControl button(10, 10, 20, 10);
  ControlInput input;
  input.AddControl(button.window);
  EXPECT_TRUE(input.ButtonPressed(15, 12, MK_LBUTTON, MK_LBUTTON, false));
  input.PointerMoved(50, 40, MK_LBUTTON);  // far outside, still the button's
  input.ButtonReleased(50, 40, MK_LBUTTON, 0);
  input.PointerMoved(51, 40, 0);  // no longer captured: nobody's
  EXPECT_EQ(button.log, (Log{"focus", "down 1 5,2", "move 1 40,30", "up 1 40,30"}));
  EXPECT_FALSE(input.ButtonPressed(50, 40, MK_LBUTTON, MK_LBUTTON, false));
}

TEST(ControlInput, AClickNeedsThePressAndTheReleaseOverTheWindow) {
  LoggedControl button(0, 0, 20, 10);
  ControlInput input;
  input.AddControl(button.window);
  input.ButtonPressed(5, 5, MK_LBUTTON, MK_LBUTTON, false);
  input.ButtonReleased(6, 5, MK_LBUTTON, 0);
  input.ButtonPressed(5, 5, MK_RBUTTON, MK_RBUTTON, false);
  input.ButtonReleased(5, 5, MK_RBUTTON, 0);  // the right button makes no click
  input.ButtonPressed(5, 5, MK_LBUTTON, MK_LBUTTON, true);
  input.ButtonReleased(5, 5, MK_LBUTTON, 0);  // nor the release of a double click
  EXPECT_EQ(button.log, (Log{"focus", "down 1 5,5", "up 1 6,5", "click", "down 2 5,5", "up 2 5,5",
                             "dblclick", "up 1 5,5"}));
  button.log.clear();
  input.ButtonPressed(5, 5, MK_LBUTTON, MK_LBUTTON, false);
  input.ButtonReleased(25, 5, MK_LBUTTON, 0);  // released off the button
  EXPECT_EQ(button.log, (Log{"down 1 5,5", "up 1 25,5"}));
}

TEST(ControlInput, TheTopmostControlWhoseRegionHoldsThePointGetsIt) {
  LoggedControl below(0, 0, 20, 20), above(0, 0, 20, 20);
  Region corner_cut = Region::Rectangle(0, 0, 20, 20);
  corner_cut.Subtract(Region::Rectangle(0, 0, 5, 5));
  above.window.SetWindowRegion(corner_cut);
  ControlInput input;
  input.AddControl(below.window);
  input.AddControl(above.window);
  input.PointerMoved(10, 10, 0);
  input.PointerMoved(2, 2, 0);  // cut out of the upper one
  EXPECT_EQ(above.log, (Log{"move 0 10,10"}));
  EXPECT_EQ(below.log, (Log{"move 0 2,2"}));
  above.window.Hide();
  input.PointerMoved(10, 10, 0);
  EXPECT_EQ(below.log.back(), "move 0 10,10");
}

TEST(ControlInput, ALeaveIsSentOnceAfterTheCaptureEnds) {
  ControlWindow button;
  button.Move(0, 0, 20, 10);
  int leaves = 0;
  const WNDPROC counting = RegisterWindowProc([&](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_MOUSELEAVE) ++leaves;
    return CallWindowProcA(button.OwnProcedure(), w, m, wp, lp);
  });
  SetWindowLongA(button.hWnd(), GWL_WNDPROC, counting);
  ControlInput input;
  input.AddControl(button);
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, button.hWnd(), 0};
  ASSERT_TRUE(TrackMouseEvent(&track));
  input.ButtonPressed(5, 5, MK_LBUTTON, MK_LBUTTON, false);
  input.PointerMoved(40, 5, MK_LBUTTON);
  EXPECT_EQ(leaves, 0);  // captured: the leave waits
  input.ButtonReleased(40, 5, MK_LBUTTON, 0);
  EXPECT_EQ(leaves, 1);
  input.PointerMoved(41, 5, 0);
  EXPECT_EQ(leaves, 1);  // once per request
  TrackMouseEvent(&track);
  input.PointerLeft();
  EXPECT_EQ(leaves, 2);
  SetWindowLongA(button.hWnd(), GWL_WNDPROC, button.OwnProcedure());
  UnregisterWindowProc(counting);
}

TEST(ControlInput, KeysGoToTheFocusedControl) {
  LoggedControl first(0, 0, 10, 10), second(20, 0, 10, 10);
  ControlInput input;
  input.AddControl(first.window);
  input.AddControl(second.window);
  EXPECT_FALSE(input.KeyPressed(13, 0));
  input.SetFocus(&first.window);
  input.KeyPressed(13, 0);
  input.ButtonPressed(25, 5, MK_LBUTTON, MK_LBUTTON, false);  // a press moves the focus
  input.ButtonReleased(25, 5, MK_LBUTTON, 0);
  input.KeyReleased(13, 0);
  EXPECT_EQ(first.log, (Log{"focus", "keydown 13", "blur"}));
  EXPECT_EQ(second.log, (Log{"focus", "down 1 5,5", "up 1 5,5", "click", "keyup 13"}));
}

TEST(ControlInput, ADestroyedControlIsLeftAlone) {
  auto button = std::make_unique<LoggedControl>(0, 0, 10, 10);
  ControlInput input;
  input.AddControl(button->window);
  input.SetFocus(&button->window);
  input.ButtonPressed(5, 5, MK_LBUTTON, MK_LBUTTON, false);
  button->window.Destroy();
  input.PointerMoved(6, 6, MK_LBUTTON);
  input.ButtonReleased(6, 6, MK_LBUTTON, 0);
  EXPECT_FALSE(input.KeyPressed(13, 0));
  input.RemoveControl(button->window);
  button.reset();
  input.PointerMoved(5, 5, 0);
}

}  // namespace
}  // namespace starquill
