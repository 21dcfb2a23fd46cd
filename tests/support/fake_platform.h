#pragma once
// Test doubles for the platform: windows that record what the form asks of them, message
// boxes and an event log that record what they would show, and a manual clock.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/drawing/surface.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/menu.h"
#include "platform/toolkit/platform.h"
#include "platform/toolkit/system_colors.h"
#include "platform/toolkit/manual_timer_service.h"

namespace starquill::testing {

class FakePlatform;

class FakeWindow : public Window {
 public:
  FakeWindow(FakePlatform& platform, int clientWidth, int clientHeight)
      : client_width(clientWidth), client_height(clientHeight), platform_(platform) {}
  inline ~FakeWindow() override;

  void SetCaption(std::string_view text) override { caption = text; }
  void Show(WindowPlace where) override {
    shown = true;
    place = where;
    full_screen = where == WindowPlace::FullScreen;
  }
  void ShowCentered(int w, int h, int frame, const Area& keep) override {
    shown = true;
    keep_on_screen = keep;
    client_width = w;
    client_height = h;
    frame_width = frame;
  }
  void AddLabel(Label& label) override { labels.push_back(&label); }
  int ClientWidth() const override { return client_width; }
  int ClientHeight() const override { return client_height; }
  void HidePointerWhenIdle(int idleMs) override { pointer_idle_ms = idleMs; }
  // The client area takes a new size, as when the screen changes under the window.
  void ResizeClient(int width, int height) {
    client_width = width;
    client_height = height;
    if (Resized) Resized();
  }
  void AddSurface(Surface& surface) override { surfaces.push_back(&surface); }
  void AddControl(ControlWindow& control) override { controls.push_back(&control); }
  void Present() override { ++presents; }
  void PaceFrames(bool on) override { pacing = on; }
  // A frame of the screen comes, as the platform would report it while pacing.
  void ShowFrame() {
    if (pacing && Frame) Frame();
  }
  inline void Unload() override;
  void PopupMenu(Menu& menu) override {
    popups.push_back({&menu, pointer_x, pointer_y});
    if (choose) {
      if (MenuItem* item = choose(menu); item && item->Click) item->Click();
    }
  }

  // Presses a mouse button at a pixel of the first surface, as the platform would report it.
  void PressMouse(int button, int pixelX, int pixelY, int shift = 0) {
    pointer_x = pixelX;
    pointer_y = pixelY;
    Surface& s = *surfaces.at(0);
    if (MouseDown) MouseDown(s, button, shift, s.ScaleX(pixelX), s.ScaleY(pixelY));
  }

  struct Popup {
    Menu* menu;
    int x, y;  // where the pointer was
  };

  int client_width;
  int client_height;
  std::string caption;
  bool shown = false;
  bool full_screen = false;
  WindowPlace place = WindowPlace::FullScreen;
  int pointer_idle_ms = 0;
  bool unloaded = false;
  int presents = 0;
  bool pacing = false;
  std::vector<Surface*> surfaces;
  std::vector<ControlWindow*> controls;
  std::vector<Label*> labels;
  int frame_width = 0;
  Area keep_on_screen;
  std::vector<Popup> popups;
  int pointer_x = 0, pointer_y = 0;
  // Picks the item to click when a menu pops up; none when empty or returning nullptr.
  std::function<MenuItem*(Menu&)> choose;

 private:
  FakePlatform& platform_;
};

class FakePlatform : public Platform {
 public:
  explicit FakePlatform(int clientWidth = 400, int clientHeight = 200)
      : client_width_(clientWidth), client_height_(clientHeight) {}

  ManualTimerService& Clock() { return timers_; }
  TimerService& Timers() override { return timers_; }
  std::unique_ptr<Window> CreateWindow() override {
    auto window = std::make_unique<FakeWindow>(*this, client_width_, client_height_);
    windows.push_back(window.get());
    return window;
  }
  void EndProgram() override {
    ++end_program_calls;
    ended = true;
  }
  void ShowMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title) override {
    boxes.push_back({std::string(prompt), std::string(title), icon});
  }
  void LogError(std::string_view text) override { event_log.emplace_back(text); }
  // Midday when the clock starts, moving with the manual clock.
  double SecondsSinceMidnight() override { return 43200.25 + timers_.Now() / 1000.0; }
  void Post(std::function<void()> task) override { posted.push_back(std::move(task)); }
  // Records the reasons given; `awake` counts the holds that are still alive.
  std::unique_ptr<ScreenAwake> KeepScreenAwake(std::string_view reason) override {
    awake_reasons.emplace_back(reason);
    struct Hold : ScreenAwake {
      explicit Hold(int& holds) : live(holds) { ++live; }
      ~Hold() override { --live; }
      int& live;
    };
    return std::make_unique<Hold>(awake);
  }
  // A desktop that has the classic system colours.
  Color SystemColor(int index) const override { return ClassicSystemColor(index); }
  // Runs the posted tasks, as the event loop would after the current event.
  void RunPosted() {
    while (!posted.empty()) {
      auto task = std::move(posted.front());
      posted.erase(posted.begin());
      task();
    }
  }

  void WindowDestroyed(FakeWindow* window) {
    std::erase(windows, window);
    ++windows_destroyed;
  }

  struct Box {
    std::string prompt, title;
    BoxIcon icon = BoxIcon::Information;
  };

  std::vector<FakeWindow*> windows;
  std::vector<Box> boxes;
  std::vector<std::string> event_log;
  std::vector<std::function<void()>> posted;
  std::vector<std::string> awake_reasons;
  int awake = 0;
  int end_program_calls = 0;
  int windows_destroyed = 0;
  bool ended = false;

 private:
  int client_width_;
  int client_height_;
  ManualTimerService timers_;
};

FakeWindow::~FakeWindow() {
  platform_.WindowDestroyed(this);
}

void FakeWindow::Unload() {
  if (unloaded) return;
  unloaded = true;
  if (Unloaded) Unloaded();
}

}  // namespace starquill::testing
