#pragma once
// The window the program opens with: an animated board (a stepped colour band, a red title
// growing from 3 pt to 36 pt, five subtitle lines growing beneath it), a blinking hint, and
// the start controls, which close the splash for good and hand over to the show.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "controls/CandyButton.h"
#include "platform/drawing/surface.h"
#include "platform/hosting/control_host.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/platform.h"

namespace starquill {

class frmSplash : public ControlHost {
  // First of all: the button asks its host for system colours while it is built.
  Platform& platform_;

 public:
  static constexpr const char* kHint = "Right Click on the main screen for Options";

  // `started` runs once, when a start control is used: it drops the splash (after the current
  // event) and opens the show window.
  frmSplash(Platform& platform, std::function<void()> started);
  ~frmSplash() override;
  frmSplash(const frmSplash&) = delete;
  frmSplash& operator=(const frmSplash&) = delete;

  // Sets up the board and the hidden picture button, shows the window and starts the timers.
  void Form_Load();

  // Told when the window has been closed without a start (from its frame).
  std::function<void()> Closed;

  // Controls.
  Surface board;
  Surface start;  // a picture button, drawn at load and never shown
  CandyButton startCMD;
  Label StartLabel;
  Label Label1;

  // State of the board.
  std::string TitleText;
  int32_t TitleSize = 0;  // points
  struct SubLine {
    std::string text;
    int32_t size = 0;  // points
    friend bool operator==(const SubLine&, const SubLine&) = default;
  };
  std::array<SubLine, 5> SubLines;
  int32_t R1 = 0, R2 = 0, G1 = 0, G2 = 0, B1 = 0, B2 = 0;

  // Handlers.
  void tmrDraw_Timer();
  void tmrUpdate_Timer();
  void Timer1_Timer();
  void Form_KeyPress(int KeyAscii);
  void start_Click();
  void startCMD_Click();
  void StartLabel_Click();

  Timer& Timer1() { return *timer1_; }
  Timer& tmrDraw() { return *tmr_draw_; }
  Timer& tmrUpdate() { return *tmr_update_; }
  Window& Form() { return *window_; }

  // The button's host.
  bool UserMode() const override { return true; }
  FontSpec AmbientFont() const override { return FontSpec{}; }
  std::string ExtenderName() const override { return "startCMD"; }
  std::optional<Color> ContainerBackColor() const override;
  Color SystemColor(int index) const override { return platform_.SystemColor(index); }
  void PropertyChanged(std::string_view) override {}
  // The platform's control input sends the leave notification, whoever asks for it.
  bool OffersLeaveNotification(LeaveNotifier) const override { return true; }
  void LogError(std::string_view text) override { platform_.LogError(text); }
  void ShowMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title) override {
    platform_.ShowMessageBox(prompt, icon, title);
  }

 private:
  void StartSequence();

  // Everything the board's picture is made of: equal looks paint equal pixels.
  struct BoardLook {
    std::string title;
    int32_t title_size = 0;
    std::array<SubLine, 5> lines;
    std::array<int32_t, 6> colors{};
    uint64_t store = 0;
  };
  BoardLook Look() const;
  bool LooksAsPainted() const;
  std::optional<BoardLook> painted_;  // the look the board holds now

  std::function<void()> started_;
  bool starting_ = false;
  std::unique_ptr<Window> window_;
  std::unique_ptr<Timer> timer1_;
  std::unique_ptr<Timer> tmr_draw_;
  std::unique_ptr<Timer> tmr_update_;
};

}  // namespace starquill
