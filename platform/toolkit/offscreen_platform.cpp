#include "platform/toolkit/offscreen_platform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <utility>
#include <string>

#include "platform/support/fatal.h"
#include "platform/toolkit/system_colors.h"

namespace starquill {

class OffscreenWindow : public Window {
 public:
  explicit OffscreenWindow(OffscreenPlatform& platform) : platform_(platform) {
    platform_.windows_.push_back(this);
  }
  ~OffscreenWindow() override { std::erase(platform_.windows_, this); }

  void SetCaption(std::string_view) override {}
  void Show(WindowPlace place) override {
    if (place != WindowPlace::Offscreen) FatalError("a window to show on a screen, without one");
  }
  void ShowCentered(int, int, int, const Area&) override {
    FatalError("a window to show on a screen, without one");
  }
  int ClientWidth() const override { return platform_.frame_width_; }
  int ClientHeight() const override { return platform_.frame_height_; }
  void HidePointerWhenIdle(int) override {}
  void AddSurface(Surface&) override {}
  void AddLabel(Label&) override {}
  void AddControl(ControlWindow&) override {}
  void Present() override {}
  void PaceFrames(bool on) override { pacing = on; }
  void Unload() override {
    if (unloaded_) return;
    unloaded_ = true;
    pacing = false;
    if (Unloaded) Unloaded();
  }
  void PopupMenu(Menu&) override {}

  bool pacing = false;

 private:
  OffscreenPlatform& platform_;
  bool unloaded_ = false;
};

OffscreenPlatform::OffscreenPlatform(int frameWidth, int frameHeight)
    : frame_width_(frameWidth), frame_height_(frameHeight) {}

OffscreenPlatform::~OffscreenPlatform() = default;

std::unique_ptr<Window> OffscreenPlatform::CreateWindow() {
  return std::make_unique<OffscreenWindow>(*this);
}

void OffscreenPlatform::ShowMessageBox(std::string_view prompt, BoxIcon, std::string_view title) {
  std::fprintf(stderr, "starquill: %.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
               static_cast<int>(prompt.size()), prompt.data());
}

void OffscreenPlatform::LogError(std::string_view text) {
  std::fprintf(stderr, "starquill: %.*s\n", static_cast<int>(text.size()), text.data());
}

void OffscreenPlatform::RunPosted() {
  while (!posted_.empty()) {
    auto tasks = std::exchange(posted_, {});
    for (auto& task : tasks)
      task();
  }
}

double OffscreenPlatform::SecondsSinceMidnight() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
  const double fraction =
      static_cast<double>(std::chrono::duration_cast<std::chrono::milliseconds>(since_epoch).count() % 1000) /
      1000.0;
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

std::unique_ptr<ScreenAwake> OffscreenPlatform::KeepScreenAwake(std::string_view) {
  return std::make_unique<ScreenAwake>();  // no screen to keep awake
}

Color OffscreenPlatform::SystemColor(int index) const {
  return ClassicSystemColor(index);
}

void OffscreenPlatform::ShowFrame() {
  for (OffscreenWindow* window : std::vector<OffscreenWindow*>(windows_)) {
    if (window->pacing && window->Frame) window->Frame();
  }
}

}  // namespace starquill
