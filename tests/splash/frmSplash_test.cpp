// The splash screen on the manual clock: its board, its growth, its blinking hint.

#include "splash/frmSplash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/support/fake_platform.h"

namespace starquill {
namespace {

using testing::FakePlatform;

class Splash : public ::testing::Test {
 protected:
  Splash() : splash(platform, [this] { ++starts; }) { splash.Form_Load(); }

  // The rows and columns of the board where the title's red shows over the band's green.
  struct Box {
    int left = 1000, right = -1, top = 1000, bottom = -1;
  };
  Box RedBox(int fromRow = 0, int toRow = 273) {
    Box box;
    for (int y = fromRow; y < toRow; ++y) {
      for (int x = 130; x < 593; ++x) {  // where the band has settled on its green
        const Color c = splash.board.Pixel(x, y);
        if (c == RGB(0, 254, 25) || RedOf(c) == 0) continue;
        box.left = std::min(box.left, x), box.right = std::max(box.right, x);
        box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
      }
    }
    return box;
  }

  FakePlatform platform;
  int starts = 0;
  frmSplash splash;
};

TEST_F(Splash, LoadsCentredWithItsControlsInPlace) {
  testing::FakeWindow& window = *platform.windows.at(0);
  EXPECT_TRUE(window.shown);
  EXPECT_EQ(window.client_width, 593);
  EXPECT_EQ(window.client_height, 272);
  EXPECT_EQ(window.frame_width, 4);
  EXPECT_EQ(window.surfaces, std::vector<Surface*>{&splash.board});  // the picture button hides
  EXPECT_EQ(window.labels.size(), 2u);
  ControlWindow& button = splash.startCMD.Window();
  EXPECT_EQ(window.controls, std::vector<ControlWindow*>{&button});
  EXPECT_EQ(button.Left(), 224);
  EXPECT_EQ(button.Top(), 224);
  EXPECT_EQ(button.Width(), 145);
  EXPECT_EQ(button.Height(), 33);
  EXPECT_EQ(splash.Label1.Caption(), frmSplash::kHint);
  EXPECT_EQ(splash.StartLabel.Caption(), "Start Starquill");
}

TEST_F(Splash, EscEndsTheProgramAndOtherKeysDoNothing) {
  // Typed on the window, as the platform delivers keys.
  testing::FakeWindow& window = *platform.windows.at(0);
  window.KeyPress('1');
  window.KeyPress('\n');
  EXPECT_EQ(platform.end_program_calls, 0);
  window.KeyPress(27);
  EXPECT_EQ(platform.end_program_calls, 1);
  EXPECT_EQ(starts, 0);  // ended, not started
}

TEST_F(Splash, ReturnAndSpacePressStartWhichIsAlwaysOnScreen) {
  testing::FakeWindow& window = *platform.windows.at(0);
  EXPECT_EQ(window.keep_on_screen.left, 224);
  EXPECT_EQ(window.keep_on_screen.width, 145);
  window.KeyPress(13);
  EXPECT_EQ(starts, 1);
  window.KeyPress(' ');  // the splash is already on its way out
  EXPECT_EQ(starts, 1);
}

TEST_F(Splash, TheButtonComesFromItsSavedDesign) {
  const CandyButton& b = splash.startCMD;
  EXPECT_EQ(b.Caption(), "Start");
  EXPECT_EQ(b.Style(), 6);
  EXPECT_EQ(b.PictureAlignment(), 2);
  EXPECT_EQ(b.ColorButtonUp(), RGB(80, 153, 233));
  EXPECT_EQ(b.ColorButtonDown(), RGB(80, 153, 233));
  EXPECT_EQ(b.ColorButtonHover(), RGB(144, 192, 255));
  EXPECT_EQ(b.ColorBright(), RGB(176, 237, 255));
  EXPECT_EQ(b.ForeColor(), 0);
  EXPECT_EQ(b.Font().name, "Tahoma");
  EXPECT_EQ(b.Font().size, 11.25);
  EXPECT_TRUE(b.Font().bold);
  ASSERT_NE(b.Picture(), nullptr);
  EXPECT_EQ(b.Picture()->width, 32);
  EXPECT_EQ(b.Window().MousePointer(), kPointerArrow);
  ASSERT_NE(b.Window().Picture(), nullptr);  // shown, so painted
  // The button hovers with the preferred leave notification.
  const ControlHost& host = splash;
  EXPECT_TRUE(host.OffersLeaveNotification(ControlHost::LeaveNotifier::kUser32));
}

TEST_F(Splash, TheButtonsReportsGoToThePlatformsEventLogAndBoxes) {
  ControlHost& host = splash;
  host.LogError("CandyButton.zMap_hWnd: Window handle isn't subclassed");
  host.ShowMessageBox("Window handle isn't subclassed.", BoxIcon::Exclamation,
                      "Error in CandyButton.zMap_hWnd");
  EXPECT_EQ(platform.event_log,
            std::vector<std::string>{"CandyButton.zMap_hWnd: Window handle isn't subclassed"});
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].prompt, "Window handle isn't subclassed.");
  EXPECT_EQ(platform.boxes[0].title, "Error in CandyButton.zMap_hWnd");
  EXPECT_EQ(platform.boxes[0].icon, BoxIcon::Exclamation);
}

TEST_F(Splash, TheHiddenPictureButtonIsDrawnAtLoad) {
  EXPECT_EQ(splash.start.PixelWidth(), 129);
  // The band reversed and darkened: from (1.6, 204, 20) at the left edge.
  EXPECT_EQ(splash.start.Pixel(0, 0), RGB(2, 204, 20));
  int red = 0;
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 129; ++x)
      red += RedOf(splash.start.Pixel(x, y)) > 200;
  }
  EXPECT_GT(red, 10);  // "Start Program" in red
}

TEST_F(Splash, BeforeAnyGrowthTheTitleIsTinyCentredAboveTheMiddle) {
  EXPECT_EQ(splash.TitleSize, 3);
  Surface probe(10, 10);
  probe.SetFont(splash.board.Font());
  probe.SetFontSize(3);
  const int th = static_cast<int>(probe.TextHeight("|"));
  const int tw = static_cast<int>(std::lround(probe.TextWidth("Starquill")));
  const Box box = RedBox(0, 136 - th);  // above the subtitles
  ASSERT_GE(box.right, box.left);
  EXPECT_GE(box.top, 136 - 2 * th);
  EXPECT_LT(box.bottom, 136 - th);
  EXPECT_GE(box.left, 296 - tw / 2);
  EXPECT_LE(box.right, 296 - tw / 2 + tw);
}

TEST_F(Splash, TheTitleAndLinesGrowToTheirSizesInHalfASecond) {
  platform.Clock().Advance(480);
  EXPECT_LT(splash.TitleSize, 36);
  platform.Clock().Advance(15);  // 33 growth ticks at the platform's 15 ms
  EXPECT_EQ(splash.TitleSize, 36);
  for (int i = 0; i < 40; ++i)
    splash.tmrUpdate_Timer();
  EXPECT_EQ(splash.TitleSize, 36);
  for (const auto& line : splash.SubLines)
    EXPECT_EQ(line.size, 18);
}

TEST_F(Splash, SubtitleLinesAreSpacedByTheirOwnHeightAndFivePixels) {
  for (int i = 0; i < 40; ++i)
    splash.tmrUpdate_Timer();
  for (auto& line : splash.SubLines)
    line.text = "I";
  splash.tmrDraw_Timer();
  Surface probe(10, 10);
  probe.SetFont(splash.board.Font());
  probe.SetFontSize(18);
  const int step = static_cast<int>(probe.TextHeight("|")) + 5;
  probe.SetFontSize(36);
  const int first_line = 136 - static_cast<int>(probe.TextHeight("|"));
  std::vector<int> tops;
  for (int i = 0; i < 5; ++i) {
    const Box box = RedBox(first_line + i * step, first_line + (i + 1) * step);
    tops.push_back(box.top);
  }
  for (int i = 1; i < 5; ++i)
    EXPECT_EQ(tops[i] - tops[i - 1], step) << i;
}

TEST_F(Splash, OnceGrownTheBoardIsShownAgainOnlyWhenItsPictureIsLost) {
  testing::FakeWindow& window = *platform.windows.at(0);
  platform.Clock().Advance(600);  // grown
  const Box grown = RedBox();
  const int presents = window.presents;
  platform.Clock().Advance(1000);
  EXPECT_EQ(window.presents, presents);  // nothing new to show
  EXPECT_EQ(RedBox().right, grown.right);
  // On a denser screen the board's store is made anew: it is painted and shown again.
  splash.board.SetDeviceScale(2);
  platform.Clock().Advance(15);
  EXPECT_EQ(window.presents, presents + 1);
  EXPECT_EQ(splash.board.Pixel(0, 5), RGB(144, 2, 255));
  EXPECT_EQ(RedBox().right, grown.right);
}

TEST_F(Splash, TheHintBlinksOnceASecondUntilItsCaptionIsSomethingElse) {
  platform.Clock().Advance(1000);
  EXPECT_EQ(splash.Label1.Caption(), "");
  platform.Clock().Advance(1000);
  EXPECT_EQ(splash.Label1.Caption(), frmSplash::kHint);
  splash.Label1.SetCaption("Something else");
  platform.Clock().Advance(3000);
  EXPECT_EQ(splash.Label1.Caption(), "Something else");
}

TEST_F(Splash, EveryStartControlStopsTheTimersAndClosesTheWindowOnce) {
  splash.StartLabel_Click();
  EXPECT_EQ(starts, 1);
  EXPECT_FALSE(splash.tmrDraw().Enabled());
  EXPECT_FALSE(splash.tmrUpdate().Enabled());
  EXPECT_FALSE(splash.Timer1().Enabled());
  EXPECT_TRUE(platform.windows.at(0)->unloaded);
  splash.startCMD_Click();
  splash.start_Click();
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(platform.Clock().TimeToNextEvent(), -1);
}

}  // namespace
}  // namespace starquill
