// The user's commands: keys, the mouse, the pop-up menu, the how-to box and the ways to end.

#include <gtest/gtest.h>

#include "engine/clsFlimmerMultiRocket.h"
#include "engine/clsFlimmerpathrocket.h"
#include "engine/clsFlimmerrocket.h"
#include "engine/clsFlimmerspinbackpathrocket.h"
#include "engine/clsFlimmerspinpathrocket.h"
#include "show/frmMain.h"
#include "tests/support/fake_platform.h"
#include "tests/support/firework_probe.h"

namespace starquill {

namespace {

// The show, with its live count in reach to start it near the count's limit.
struct CountedShow : frmMain {
  using frmMain::frmMain;
  void SetFireworkCount(int32_t count) { firework_count_ = count; }
};

using testing::FakePlatform;
using testing::FakeWindow;

class Commands : public ::testing::Test {
 protected:
  Commands() : show(platform) {
    show.Load();
    show.Timer1().SetEnabled(false);
    show.Timer2().SetEnabled(false);
  }
  FakeWindow& window() { return *platform.windows.at(0); }

  // What a key launches, as the mask of the kinds appended.
  int32_t LaunchedBy(int key) {
    const size_t before = show.FireworkList().size();
    show.Form_KeyPress(key);
    int32_t mask = 0;
    for (size_t i = before; i < show.FireworkList().size(); ++i) {
      const Firework& f = show.FireworkList()[i];
      mask |= testing::KindBit(f);
    }
    return mask;
  }

  FakePlatform platform{400, 200};
  CountedShow show;
};

TEST_F(Commands, DigitsAndLettersFireTheSevenTypes) {
  const int32_t masks[7] = {2, 4, 8, 6, 10, 18, 16};
  for (int type = 1; type <= 7; ++type) {
    EXPECT_EQ(LaunchedBy('0' + type), masks[type - 1]) << "key " << type;
    EXPECT_EQ(LaunchedBy('a' + type - 1), masks[type - 1]) << "key " << char('a' + type - 1);
  }
}

TEST_F(Commands, OtherKeysDoNothing) {
  for (const int key :
       {int{'A'}, int{'G'}, int{'0'}, int{'8'}, int{'h'}, int{'z'}, int{' '}, 13, 0, 255, 0x263A}) {
    EXPECT_EQ(LaunchedBy(key), 0) << key;
  }
  EXPECT_EQ(platform.end_program_calls, 0);
}

TEST_F(Commands, KeysAreNotLimitedByTheLiveCount) {
  for (int i = 0; i < 50; ++i)
    show.Form_KeyPress('4');
  EXPECT_EQ(show.FireworkCount(), 100);
}

TEST_F(Commands, TheLiveCountsOverflowStopsTheProgramClearly) {
  show.SetFireworkCount(2147483646);
  show.Form_KeyPress('1');
  EXPECT_EQ(show.FireworkCount(), 2147483647);
  EXPECT_EXIT(show.Form_KeyPress('1'), ::testing::ExitedWithCode(70),
              "fatal run-time error: Overflow: the number of live fireworks passed 2147483647");
}

TEST_F(Commands, EscEndsTheProgramAtOnce) {
  show.mnuGrand_Click();
  show.Form_KeyPress(27);
  EXPECT_EQ(platform.end_program_calls, 1);
  EXPECT_FALSE(window().unloaded);  // no unloading step first
  EXPECT_EQ(platform.awake, 0);     // the screen may sleep again
}

TEST_F(Commands, ARightClickOnTheSkyOpensTheMenuAtThePointer) {
  window().PressMouse(kLeftButton, 10, 20);
  window().PressMouse(kMiddleButton, 10, 20);
  EXPECT_TRUE(window().popups.empty());
  window().PressMouse(kRightButton, 123, 45, kShiftKey);
  ASSERT_EQ(window().popups.size(), 1u);
  EXPECT_EQ(window().popups[0].menu, &show.mnuOptions);
  EXPECT_EQ(window().popups[0].x, 123);
  EXPECT_EQ(window().popups[0].y, 45);
}

TEST_F(Commands, TheMenuHoldsTheProgrammesTheHowToAndExit) {
  std::vector<std::string> captions;
  for (const MenuItem* item : show.mnuOptions.Items)
    captions.push_back(item->Caption);
  EXPECT_EQ(show.mnuOptions.Caption, "Options");
  EXPECT_EQ(captions, (std::vector<std::string>{"&Minimal", "&Medium", "&Grand Finale", "-",
                                                "&How To", "&Exit"}));
  EXPECT_TRUE(show.sep1.IsSeparator());
  // Choosing from the pop-up runs the item's handler.
  window().choose = [&](Menu&) { return &show.mnuGrand; };
  window().PressMouse(kRightButton, 1, 1);
  EXPECT_TRUE(show.mnuGrand.Checked);
  EXPECT_TRUE(show.RangeTimer().Enabled());
}

TEST_F(Commands, HowToShowsThirteenLinesEndedByLineFeedAndReturn) {
  show.mnuHowTo_Click();
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].title, "Starquill");
  EXPECT_EQ(platform.boxes[0].prompt,
            "Click on the next Keys to generate Starquill:\n\r"
            "==============================\n\r"
            "<1> - Fireworks Type 1\n\r"
            "<2> - Fireworks Type 2\n\r"
            "<3> - Fireworks Type 3\n\r"
            "<4> - Fireworks Type 4\n\r"
            "<5> - Fireworks Type 5\n\r"
            "<6> - Fireworks Type 6\n\r"
            "<7> - Fireworks Type 7\n\r"
            "==============================\n\r"
            "Or select from the options:\n\r"
            "Minimal, Medium, Grand Finale\n\r"
            "==============================\n\r");
  EXPECT_EQ(show.FireworkCount(), 0);
}

TEST_F(Commands, ExitUnloadsStopsEverythingAndEnds) {
  show.mnuMedium_Click();
  show.Timer1().SetEnabled(true);
  show.Timer2().SetEnabled(true);
  show.mnuExit_Click();
  platform.RunPosted();
  EXPECT_TRUE(window().unloaded);
  EXPECT_TRUE(platform.ended);
  EXPECT_FALSE(show.Timer1().Enabled());
  EXPECT_FALSE(show.Timer2().Enabled());
  EXPECT_FALSE(show.RangeTimer().Enabled());
  EXPECT_EQ(platform.Clock().TimeToNextEvent(), -1);  // nothing left running
  EXPECT_EQ(platform.awake, 0);
}

TEST_F(Commands, ClosingTheWindowStopsEverythingAndTellsTheProgram) {
  int closed = 0;
  show.Closed = [&] { ++closed; };
  show.Timer1().SetEnabled(true);
  window().Unload();  // as the window frame's close button does
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(platform.end_program_calls, 0);  // the program decides to end, not the form
  EXPECT_EQ(platform.Clock().TimeToNextEvent(), -1);
  EXPECT_EQ(platform.awake, 0);
}

}  // namespace
}  // namespace starquill
