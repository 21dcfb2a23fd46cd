// Routing a form's input to its control windows as window messages.

#include "platform/hosting/control_input.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/hosting/input_codes.h"

namespace starquill {
namespace {

TEST(WindowMessages, WordsOfAMessageParameterAreSigned) {
  EXPECT_EQ(LoWord(0x0000FFFF), -1);
  EXPECT_EQ(LoWord(0x12347FFF), 32767);
  EXPECT_EQ(HiWord(static_cast<int32_t>(0xFFFF0000u)), -1);
  EXPECT_EQ(HiWord(static_cast<int32_t>(0x80000000u)), -32768);
  EXPECT_EQ(HiWord(0x00050003), 5);
  EXPECT_EQ(LoWord(0x00050003), 3);
}

// A control window that logs the events its own procedure reports.
struct LoggedControl : ControlEvents {
  std::vector<std::string> log;
  ControlWindow window{this};

  LoggedControl(int left, int top, int width, int height) { window.Move(left, top, width, height); }

  void Mouse(const char* what, int b, int shift, float x, float y) {
    log.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(int(x)) + "," +
                  std::to_string(int(y)) + (shift ? " shift " + std::to_string(shift) : ""));
  }
  void UserControl_MouseDown(int16_t b, int16_t s, float x, float y) override {
    Mouse("down", b, s, x, y);
  }
  void UserControl_MouseMove(int16_t b, int16_t s, float x, float y) override {
    Mouse("move", b, s, x, y);
  }
  void UserControl_MouseUp(int16_t b, int16_t s, float x, float y) override {
    Mouse("up", b, s, x, y);
  }
  void UserControl_Click() override { log.push_back("click"); }
  void UserControl_DblClick() override { log.push_back("dblclick"); }
  void UserControl_KeyDown(int16_t key, int16_t) override {
    log.push_back("keydown " + std::to_string(key));
  }
  void UserControl_KeyUp(int16_t key, int16_t) override {
    log.push_back("keyup " + std::to_string(key));
  }
  void UserControl_EnterFocus() override { log.push_back("focus"); }
  void UserControl_ExitFocus() override { log.push_back("blur"); }
};

// Counts the leave notifications that reach a window.
struct LeaveCounter : WindowProcedure {
  int leaves = 0;
  LRESULT Handle(ControlWindow& window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_MOUSELEAVE) ++leaves;
    return CallReplaced(window, message, wParam, lParam);
  }
};

constexpr MouseKeys kLeft{kLeftButton};
constexpr MouseKeys kNone{};

using Log = std::vector<std::string>;

TEST(ControlInput, APressCapturesTheMouseUntilTheRelease) {
  LoggedControl button(10, 10, 20, 10);
  ControlInput input;
  input.AddControl(button.window);
  EXPECT_TRUE(input.ButtonPressed(15, 12, kLeftButton, kLeft, false));
  input.PointerMoved(50, 40, kLeft);  // far outside, still the button's
  input.ButtonReleased(50, 40, kLeftButton, kNone);
  input.PointerMoved(51, 40, kNone);  // no longer captured: nobody's
  EXPECT_EQ(button.log, (Log{"focus", "down 1 5,2", "move 1 40,30", "up 1 40,30"}));
  EXPECT_FALSE(input.ButtonPressed(50, 40, kLeftButton, kLeft, false));
}

TEST(ControlInput, AClickNeedsThePressAndTheReleaseOverTheWindow) {
  LoggedControl button(0, 0, 20, 10);
  ControlInput input;
  input.AddControl(button.window);
  input.ButtonPressed(5, 5, kLeftButton, kLeft, false);
  input.ButtonReleased(6, 5, kLeftButton, kNone);
  input.ButtonPressed(5, 5, kRightButton, {kRightButton}, false);
  input.ButtonReleased(5, 5, kRightButton, kNone);  // the right button makes no click
  input.ButtonPressed(5, 5, kLeftButton, kLeft, true);
  input.ButtonReleased(5, 5, kLeftButton, kNone);  // nor the release of a double click
  EXPECT_EQ(button.log, (Log{"focus", "down 1 5,5", "up 1 6,5", "click", "down 2 5,5", "up 2 5,5",
                             "dblclick", "up 1 5,5"}));
  button.log.clear();
  input.ButtonPressed(5, 5, kLeftButton, kLeft, false);
  input.ButtonReleased(25, 5, kLeftButton, kNone);  // released off the button
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
  input.PointerMoved(10, 10, kNone);
  input.PointerMoved(2, 2, {kRightButton | kMiddleButton, kShiftKey | kCtrlKey});  // cut out
  EXPECT_EQ(above.log, (Log{"move 0 10,10"}));
  EXPECT_EQ(below.log, (Log{"move 6 2,2 shift 3"}));
  above.window.Hide();
  input.PointerMoved(10, 10, kNone);
  EXPECT_EQ(below.log.back(), "move 0 10,10");
}

TEST(ControlInput, ALeaveIsSentOnceAfterTheCaptureEnds) {
  ControlWindow button;
  button.Move(0, 0, 20, 10);
  const auto counter = std::make_shared<LeaveCounter>();
  ASSERT_TRUE(button.Hook(counter));
  const int& leaves = counter->leaves;
  ControlInput input;
  input.AddControl(button);
  button.SetTrackingLeave(true);
  input.ButtonPressed(5, 5, kLeftButton, kLeft, false);
  input.PointerMoved(40, 5, kLeft);
  EXPECT_EQ(leaves, 0);  // captured: the leave waits
  input.ButtonReleased(40, 5, kLeftButton, kNone);
  EXPECT_EQ(leaves, 1);
  input.PointerMoved(41, 5, kNone);
  EXPECT_EQ(leaves, 1);  // once per request
  button.SetTrackingLeave(true);
  input.PointerLeft();
  EXPECT_EQ(leaves, 2);
}

TEST(ControlInput, KeysGoToTheFocusedControl) {
  LoggedControl first(0, 0, 10, 10), second(20, 0, 10, 10);
  ControlInput input;
  input.AddControl(first.window);
  input.AddControl(second.window);
  EXPECT_FALSE(input.KeyPressed(13, 0));
  input.SetFocus(&first.window);
  input.KeyPressed(13, 0);
  input.ButtonPressed(25, 5, kLeftButton, kLeft, false);  // a press moves the focus
  input.ButtonReleased(25, 5, kLeftButton, kNone);
  input.KeyReleased(13, 0);
  EXPECT_EQ(first.log, (Log{"focus", "keydown 13", "blur"}));
  EXPECT_EQ(second.log, (Log{"focus", "down 1 5,5", "up 1 5,5", "click", "keyup 13"}));
}

TEST(ControlInput, ADestroyedControlIsLeftAlone) {
  auto button = std::make_unique<LoggedControl>(0, 0, 10, 10);
  ControlInput input;
  input.AddControl(button->window);
  input.SetFocus(&button->window);
  input.ButtonPressed(5, 5, kLeftButton, kLeft, false);
  button->window.Destroy();
  input.PointerMoved(6, 6, kLeft);
  input.ButtonReleased(6, 6, kLeftButton, kNone);
  EXPECT_FALSE(input.KeyPressed(13, 0));
  input.RemoveControl(button->window);
  button.reset();
  input.PointerMoved(5, 5, kNone);
}

}  // namespace
}  // namespace starquill
