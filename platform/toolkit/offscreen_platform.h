#pragma once
// A platform without a screen: its windows show nowhere (WindowPlace::Offscreen), at the size
// of its frames, and whoever runs it reads their surfaces (a recording); its time is a manual
// clock, so that a run is the same every time. Messages go to stderr.

#include <functional>
#include <memory>
#include <vector>

#include "platform/toolkit/manual_timer_service.h"
#include "platform/toolkit/platform.h"

namespace starquill {

class OffscreenWindow;

class OffscreenPlatform : public Platform {
 public:
  // Windows have a client area of this many pixels.
  OffscreenPlatform(int frameWidth, int frameHeight);
  ~OffscreenPlatform() override;

  ManualTimerService& Clock() { return timers_; }
  TimerService& Timers() override { return timers_; }
  std::unique_ptr<Window> CreateWindow() override;
  void EndProgram() override { ended_ = true; }
  bool Ended() const { return ended_; }
  void ShowMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title) override;
  void LogError(std::string_view text) override;
  void Post(std::function<void()> task) override { posted_.push_back(std::move(task)); }
  // Runs what was posted, as an event loop does after each event.
  void RunPosted();
  // The real time of day: a run without a seed takes its seed from it.
  double SecondsSinceMidnight() override;
  std::unique_ptr<ScreenAwake> KeepScreenAwake(std::string_view reason) override;
  Color SystemColor(int index) const override;

  // A frame is due: every window that paces its frames draws one.
  void ShowFrame();

 private:
  friend class OffscreenWindow;
  const int frame_width_, frame_height_;
  ManualTimerService timers_;
  std::vector<OffscreenWindow*> windows_;
  std::vector<std::function<void()>> posted_;
  bool ended_ = false;
};

}  // namespace starquill
