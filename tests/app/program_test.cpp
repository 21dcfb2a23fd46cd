// The program's course: the splash first, then the show, handed over by any start control.

#include "app/program.h"

#include <gtest/gtest.h>

#include "tests/support/fake_platform.h"

namespace starquill {
namespace {

using testing::FakePlatform;

class ProgramCourse : public ::testing::Test {
 protected:
  ProgramCourse() : program(platform) { program.Start(); }
  FakePlatform platform{800, 600};
  Program program;
};

TEST_F(ProgramCourse, StartsOnTheSplashAlone) {
  ASSERT_NE(program.Splash(), nullptr);
  EXPECT_EQ(program.Show(), nullptr);
  EXPECT_EQ(platform.windows.size(), 1u);
  program.Start();  // nothing else creates a splash
  EXPECT_EQ(platform.windows.size(), 1u);
  EXPECT_TRUE(platform.awake_reasons.empty());  // the splash lets the screen sleep
}

TEST_F(ProgramCourse, TheStartButtonsClickHandsOverToTheShow) {
  platform.Clock().Advance(300);
  // A real click on the button, through its window's messages.
  ControlWindow& button = program.Splash()->startCMD.Window();
  button.SendMessage(WM_LBUTTONDOWN, MouseWParam({kLeftButton}), MakeMouseLParam(70, 16));
  button.SendMessage(WM_LBUTTONUP, 0, MakeMouseLParam(70, 16));
  ASSERT_NE(program.Show(), nullptr);
  EXPECT_NE(program.Splash(), nullptr);  // still handling its own click
  platform.RunPosted();
  EXPECT_EQ(program.Splash(), nullptr);
  EXPECT_EQ(platform.windows.size(), 1u);
  EXPECT_EQ(platform.windows_destroyed, 1);
  EXPECT_TRUE(platform.windows.at(0)->shown);
  EXPECT_EQ(platform.windows.at(0)->caption, "Starquill");
  EXPECT_FALSE(platform.ended);  // the splash closing did not end the program
}

TEST_F(ProgramCourse, TheLabelAndThePictureButtonDoTheSame) {
  program.Splash()->StartLabel.Click();
  platform.RunPosted();
  EXPECT_NE(program.Show(), nullptr);
  EXPECT_EQ(program.Splash(), nullptr);

  FakePlatform other;
  Program second(other);
  second.Start();
  second.Splash()->start_Click();
  other.RunPosted();
  EXPECT_NE(second.Show(), nullptr);
}

TEST_F(ProgramCourse, TheShowsOwnClockStartsAtItsLoad) {
  platform.Clock().Advance(5000);  // a long look at the splash
  program.Splash()->startCMD_Click();
  platform.RunPosted();
  frmMain& show = *program.Show();
  platform.Clock().Advance(999);
  EXPECT_EQ(show.FireworkCount(), 0);
  platform.Clock().Advance(1);
  EXPECT_GT(show.FireworkCount(), 0);  // the first automatic launch, a second after its load
}

}  // namespace
}  // namespace starquill
