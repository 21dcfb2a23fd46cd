// The program's course: the splash first, then the show, handed over by any start control.

#include "app/program.h"

#include "app/ways_to_run.h"

#include <gtest/gtest.h>

#include "platform/support/random.h"
#include "tests/support/fake_platform.h"

namespace starquill {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;

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

// A show opened straight away on a platform whose clock has run `clockMs` before the start.
starquill::ProgramCourse Course(std::optional<uint32_t> seed,
                                std::optional<Programme> programme = {}, bool screenSaver = false) {
  RunOptions options;
  options.seed = seed;
  options.programme = programme;
  options.root = screenSaver;
  options.straightToShow = true;
  return screenSaver ? ScreenSaverCourse(options) : DesktopCourse(options);
}

class StartedShow {
 public:
  // The program takes its seed from the clock when it is made.
  StartedShow(starquill::ProgramCourse course, double clockMs)
      : program(ClockAt(platform, clockMs), Straight(course)) {
    program.Start();
  }
  frmMain& Show() { return *program.Show(); }
  // The sky's pixels after pressing "4" now and letting the show run three seconds.
  std::vector<uint32_t> SkyAfterAKey() {
    Show().Form_KeyPress('4');
    platform.Clock().Advance(3000);
    const Surface& sky = Show().Picture1;
    return {sky.Bits(), sky.Bits() + size_t(sky.DeviceWidth()) * size_t(sky.DeviceHeight())};
  }

  FakePlatform platform{320, 200};
  Program program;

 private:
  static FakePlatform& ClockAt(FakePlatform& platform, double ms) {
    platform.Clock().Advance(ms);
    return platform;
  }
  static starquill::ProgramCourse Straight(starquill::ProgramCourse course) {
    course.splash = false;
    return course;
  }
};

// The random generator is shared: each show runs to its end before the next one starts, and
// each finds the generator as a fresh process does.
std::vector<uint32_t> SkyOfARun(starquill::ProgramCourse course, double clockMs,
                                uint32_t* seed = nullptr) {
  RestoreRandomState(InitialRandomState());
  StartedShow show(course, clockMs);
  if (seed) *seed = show.program.Seed();
  return show.SkyAfterAKey();
}

TEST(ProgramStart, EveryRunIsAShowOfItsOwnUnlessASeedRepeatsOne) {
  uint32_t first = 0, second = 0, seeded = 0;
  EXPECT_NE(SkyOfARun({}, 0, &first), SkyOfARun({}, 1, &second));
  // The clock's seed is whole milliseconds since midnight, so that it can be given back.
  EXPECT_EQ(first, 43200250u);
  EXPECT_EQ(second, 43200251u);
  EXPECT_EQ(SkyOfARun(Course(7), 0, &seeded), SkyOfARun(Course(7), 5000));
  EXPECT_EQ(seeded, 7u);
  // A programme's launches too, though they reseed the generator on every event.
  EXPECT_EQ(SkyOfARun(Course(7, Programme::GrandFinale), 0),
            SkyOfARun(Course(7, Programme::GrandFinale), 5000));
}

TEST(ProgramStart, StraightToTheShowWithAProgramme) {
  StartedShow show(Course({}, Programme::GrandFinale), 0);
  EXPECT_EQ(show.program.Splash(), nullptr);
  EXPECT_EQ(show.platform.windows.size(), 1u);
  EXPECT_TRUE(show.platform.windows.at(0)->full_screen);
  EXPECT_TRUE(show.Show().mnuGrand.Checked);
  EXPECT_FALSE(show.Show().mnuMedium.Checked);
  EXPECT_EQ(show.platform.awake_reasons.size(), 1u);
}

TEST(ProgramStart, AScreenSaverShowTakesNoInputAndHoldsNothing) {
  StartedShow saver(Course({}, Programme::Medium, true), 0);
  FakeWindow& window = *saver.platform.windows.at(0);
  EXPECT_EQ(window.place, WindowPlace::InHost);
  EXPECT_FALSE(window.KeyPress);
  EXPECT_FALSE(window.MouseDown);
  EXPECT_EQ(window.pointer_idle_ms, 0);
  EXPECT_TRUE(saver.platform.awake_reasons.empty());
  EXPECT_TRUE(saver.Show().mnuMedium.Checked);
  // A signal ends it as Esc would.
  saver.program.End();
  EXPECT_TRUE(saver.platform.ended);
}

TEST_F(ProgramCourse, ClosingItsLastWindowEndsTheProgram) {
  // The splash closed from its frame, without a start.
  platform.windows.at(0)->Unload();
  EXPECT_EQ(platform.end_program_calls, 1);
  EXPECT_EQ(program.Show(), nullptr);

  // The show closed from its frame.
  StartedShow show({}, 0);
  show.platform.windows.at(0)->Unload();
  EXPECT_EQ(show.platform.end_program_calls, 1);
}

TEST_F(ProgramCourse, ASignalEndsTheProgramWhereverTheUserIs) {
  program.End();  // on the splash
  EXPECT_EQ(platform.end_program_calls, 1);

  StartedShow show({}, 0);
  ASSERT_EQ(show.platform.awake, 1);
  show.program.End();
  EXPECT_EQ(show.platform.awake, 0);  // the hold given back
  EXPECT_TRUE(show.platform.ended);
}

}  // namespace
}  // namespace starquill
