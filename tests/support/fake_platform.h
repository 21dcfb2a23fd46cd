#pragma once
// Test doubles for the platform: a window that records what the form asks of it and a
// platform with a manual clock.

#include <string>
#include <vector>

#include "platform/manual_timer_service.h"
#include "platform/platform.h"
#include "platform/surface.h"

namespace starquill::testing {

class FakeWindow : public Window {
 public:
  FakeWindow(int clientWidth, int clientHeight)
      : client_width(clientWidth), client_height(clientHeight) {}

  void SetCaption(std::string_view text) override { caption = text; }
  void ShowMaximized() override { shown = true; }
  int ClientWidth() const override { return client_width; }
  int ClientHeight() const override { return client_height; }
  void AddSurface(Surface& surface) override { surfaces.push_back(&surface); }
  void Present() override { ++presents; }
  void Unload() override {
    unloaded = true;
    if (Unloaded) Unloaded();
  }

  int client_width;
  int client_height;
  std::string caption;
  bool shown = false;
  bool unloaded = false;
  int presents = 0;
  std::vector<Surface*> surfaces;
};

class FakePlatform : public Platform {
 public:
  explicit FakePlatform(int clientWidth = 400, int clientHeight = 200)
      : client_width_(clientWidth), client_height_(clientHeight) {}

  ManualTimerService& Clock() { return timers_; }
  TimerService& Timers() override { return timers_; }
  std::unique_ptr<Window> CreateWindow() override {
    auto window = std::make_unique<FakeWindow>(client_width_, client_height_);
    windows.push_back(window.get());
    return window;
  }
  void EndProgram() override { ++end_program_calls; }

  std::vector<FakeWindow*> windows;
  int end_program_calls = 0;

 private:
  int client_width_;
  int client_height_;
  ManualTimerService timers_;
};

}  // namespace starquill::testing
