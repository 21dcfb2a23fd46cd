#include "show/frmMain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/clsFlimmer.h"
#include "engine/clsFlimmerpathrocket.h"
#include "tests/support/fake_platform.h"

namespace starquill {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;

constexpr Color kBlack = 0;

// A firework that logs its calls, paints one point and finishes after a set number of steps.
struct ScriptedFirework {
  std::vector<std::string>* log;
  std::string name;
  int steps_to_finish;
  float x = 100, y = 100;
  Color color = RGB(255, 255, 255);
  int steps = 0;
  bool Finished = false;

  void step() {
    log->push_back("step " + name);
    Finished = ++steps >= steps_to_finish;
  }
  void Draw(Surface& canvas) {
    log->push_back("draw " + name);
    canvas.PSet(x, y, color);
  }
  void DrawBetween(Surface& canvas, const InBetween&) const { canvas.PSet(x, y, color); }
};

class ShowWindow : public ::testing::Test {
 protected:
  explicit ShowWindow(int width = 400, int height = 200)
      : platform(width, height), show(platform) {}

  FakeWindow& window() { return *platform.windows.at(0); }
  // Loads the show with the automatic launcher held back, so that only the test launches.
  void LoadQuietly() {
    show.Load();
    show.Timer2().SetEnabled(false);
  }
  void Tick() { platform.Clock().Advance(50); }
  ScriptedFirework& Add(const std::string& name, int stepsToFinish) {
    return show.Append(ScriptedFirework{&log, name, stepsToFinish});
  }

  // The count text as the sky should show it, drawn on a fresh sky.
  bool ShowsCountText(const std::string& text) {
    Surface expected(show.Picture1.PixelWidth(), show.Picture1.PixelHeight());
    expected.SetBackColor(kBlack);
    expected.Cls();
    expected.SetForeColor(frmMain::kCountTextColor);
    expected.Print(text);
    const int w = static_cast<int>(expected.TextWidth(text)) + 2;
    const int h = static_cast<int>(expected.TextHeight(text));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (show.Picture1.Pixel(x, y) != expected.Pixel(x, y)) return false;
      }
    }
    return true;
  }

  // Pixels of the sky that are not black, below the rows of the count text.
  int LitBelowTheCountText() {
    int lit = 0;
    for (int y = 20; y < show.Picture1.PixelHeight(); ++y) {
      for (int x = 0; x < show.Picture1.PixelWidth(); ++x)
        lit += show.Picture1.Pixel(x, y) != kBlack;
    }
    return lit;
  }

  bool SkyIsBlack() {
    for (int y = 0; y < show.Picture1.PixelHeight(); ++y) {
      for (int x = 0; x < show.Picture1.PixelWidth(); ++x) {
        if (show.Picture1.Pixel(x, y) != kBlack) return false;
      }
    }
    return true;
  }

  FakePlatform platform;
  frmMain show;
  std::vector<std::string> log;
};

TEST_F(ShowWindow, LoadStretchesA200UnitSkyOverTheWindow) {
  LoadQuietly();
  EXPECT_EQ(window().caption, "Starquill");
  EXPECT_TRUE(window().shown);
  EXPECT_EQ(window().surfaces, std::vector<Surface*>{&show.Picture1});
  EXPECT_EQ(show.Picture1.PixelWidth(), 400);
  EXPECT_EQ(show.Picture1.PixelHeight(), 200);
  EXPECT_EQ(show.Picture1.ScaleTop(), 200);
  EXPECT_EQ(show.Picture1.ScaleHeight(), -200);
  EXPECT_EQ(show.Picture1.ScaleLeft(), 0);
  EXPECT_EQ(show.Picture1.ScaleWidth(), 400);      // a window twice as wide as high
  EXPECT_EQ(show.Picture1.ScaleWidth() / 2, 200);  // where rockets start
  EXPECT_EQ(show.FireworkCount(), 0);
  EXPECT_TRUE(window().full_screen);
  EXPECT_EQ(window().pointer_idle_ms, 2000);
  EXPECT_EQ(platform.awake_reasons.size(), 1u);  // the screen stays awake during the show
  EXPECT_EQ(platform.awake, 1);
}

TEST_F(ShowWindow, TheTickRunsEvery50Milliseconds) {
  LoadQuietly();
  const int presents = window().presents;
  Add("a", 1000);
  platform.Clock().Advance(49);
  EXPECT_TRUE(log.empty());
  platform.Clock().Advance(1);
  EXPECT_EQ(log, (std::vector<std::string>{"step a", "draw a"}));
  platform.Clock().Advance(100);
  EXPECT_EQ(log.size(), 6u);
  EXPECT_EQ(window().presents, presents + 3);
}

TEST_F(ShowWindow, AnEmptySkyIsBlackWithoutText) {
  LoadQuietly();
  Tick();
  Tick();
  EXPECT_TRUE(SkyIsBlack());
}

TEST_F(ShowWindow, PrintsTheLiveCountAtTheTopLeft) {
  LoadQuietly();
  Add("a", 1000);
  Tick();
  EXPECT_TRUE(ShowsCountText("1 rockets active"));
  Add("b", 1000);
  Add("c", 1000);
  Tick();
  EXPECT_TRUE(ShowsCountText("3 rockets active"));
  EXPECT_FALSE(ShowsCountText("1 rockets active"));
}

TEST_F(ShowWindow, TheCountIsTakenBeforeTheTicksRemovals) {
  LoadQuietly();
  Add("a", 1);
  Add("b", 1);
  Add("c", 1000);
  Tick();
  EXPECT_TRUE(ShowsCountText("3 rockets active"));
  EXPECT_EQ(show.FireworkCount(), 1);
  Tick();
  EXPECT_TRUE(ShowsCountText("1 rockets active"));
}

TEST_F(ShowWindow, AFireworkFinishedByItsFirstStepIsDrawnOnceThenDropped) {
  LoadQuietly();
  ScriptedFirework& f = Add("once", 1);
  f.color = RGB(0, 255, 0);
  Tick();
  EXPECT_EQ(log, (std::vector<std::string>{"step once", "draw once"}));
  EXPECT_EQ(show.Picture1.Point(100, 100), RGB(0, 255, 0));
  EXPECT_EQ(show.FireworkCount(), 0);
  EXPECT_TRUE(show.FireworkList().empty());
  Tick();
  EXPECT_EQ(log.size(), 2u);
  EXPECT_TRUE(SkyIsBlack());
}

TEST_F(ShowWindow, DroppingKeepsTheSurvivorsInLaunchOrder) {
  LoadQuietly();
  Add("1", 1000).color = RGB(255, 0, 0);
  Add("2", 1);
  Add("3", 1000).color = RGB(0, 255, 0);
  Add("4", 2);
  Add("5", 1000).color = RGB(0, 0, 255);
  Tick();
  EXPECT_EQ(show.FireworkCount(), 4);
  log.clear();
  Tick();
  EXPECT_EQ(log, (std::vector<std::string>{"step 1", "draw 1", "step 3", "draw 3", "step 4",
                                           "draw 4", "step 5", "draw 5"}));
  EXPECT_EQ(show.FireworkCount(), 3);
  // All paint the same point: the last in the list is on top.
  EXPECT_EQ(show.Picture1.Point(100, 100), RGB(0, 0, 255));
}

TEST_F(ShowWindow, SparklesFlareFadeAndAreDropped) {
  LoadQuietly();
  clsFlimmer sparkle;
  sparkle.PosX = 200;
  sparkle.PosY = 150;
  sparkle.AccelY = -0.01;
  sparkle.SetColor(RGB(255, 128, 0));
  show.Append(sparkle);
  Tick();
  EXPECT_EQ(LitBelowTheCountText(), 1);
  int ticks = 1;
  while (show.FireworkCount() > 0 && ticks < 200) {
    Tick();
    ++ticks;
  }
  EXPECT_EQ(show.FireworkCount(), 0);
  EXPECT_LE(ticks, 87);
}

TEST_F(ShowWindow, TheSkyFollowsTheWindowsNewSize) {
  LoadQuietly();
  Add("live", 1000).color = RGB(0, 255, 0);
  Tick();
  window().ResizeClient(1000, 100);
  EXPECT_EQ(show.Picture1.PixelWidth(), 1000);
  EXPECT_EQ(show.Picture1.PixelHeight(), 100);
  EXPECT_EQ(show.Picture1.ScaleTop(), 200);
  EXPECT_EQ(show.Picture1.ScaleHeight(), -200);
  EXPECT_EQ(show.Picture1.ScaleWidth(), 2000);
  // The next tick draws the whole new sky: the live firework keeps its sky coordinates.
  Tick();
  EXPECT_EQ(LitBelowTheCountText(), 1);
  EXPECT_EQ(show.Picture1.Pixel(50, 50), RGB(0, 255, 0));
  show.Launch(4);
  EXPECT_EQ(show.FireworkList().back().As<clsFlimmerpathrocket>()->PosX, 1000);  // new middle
}

TEST_F(ShowWindow, EscEndsTheProgramAndNothingElseDoes) {
  LoadQuietly();
  show.Form_KeyPress('x');
  show.Form_KeyPress('E');
  EXPECT_EQ(platform.end_program_calls, 0);
  show.Form_KeyPress(27);
  EXPECT_EQ(platform.end_program_calls, 1);
}

TEST_F(ShowWindow, ClosingTheWindowStopsTheTick) {
  LoadQuietly();
  Add("a", 1000);
  window().Unload();
  EXPECT_FALSE(show.Timer1().Enabled());
  platform.Clock().Advance(500);
  EXPECT_TRUE(log.empty());
}

class FlatWindow : public ShowWindow {
 protected:
  FlatWindow() : ShowWindow(300, 0) {}
};

TEST_F(FlatWindow, AWindowWithoutHeightStillLoads) {
  LoadQuietly();
  EXPECT_GT(show.Picture1.ScaleWidth(), 0);
  Add("a", 2);
  Tick();
  Tick();
  EXPECT_EQ(show.FireworkCount(), 0);
}

}  // namespace
}  // namespace starquill
