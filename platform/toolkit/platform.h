#pragma once
// What the forms need of the windowing platform: timers, windows and ending the program.
// The desktop program provides it with Qt; tests provide a recording double with a manual clock.

#include <functional>
#include <memory>
#include <string_view>

#include "platform/drawing/color.h"
#include "platform/hosting/message_box.h"
#include "platform/toolkit/timer.h"
#include "platform/toolkit/window.h"

namespace starquill {

// While it lives, the desktop's screen saver and screen blanking are held off.
class ScreenAwake {
 public:
  virtual ~ScreenAwake() = default;
};

class Platform {
 public:
  virtual ~Platform() = default;
  virtual TimerService& Timers() = 0;
  virtual std::unique_ptr<Window> CreateWindow() = 0;
  // Ends the program at once: no more events are handled, every window goes. Closing windows
  // never ends it: the program decides when its last window has gone.
  virtual void EndProgram() = 0;

  // Shows a modal message box with the icon and an OK button, and waits until the user closes
  // it. Lines may end in any mix of line feeds and carriage returns.
  virtual void ShowMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title) = 0;
  void InformationBox(std::string_view prompt, std::string_view title) {
    ShowMessageBox(prompt, BoxIcon::Information, title);
  }
  // Adds an error entry to the application's event log.
  virtual void LogError(std::string_view text) = 0;

  // Runs the task once the current event has been handled (a window may not be destroyed
  // from inside its own handlers).
  virtual void Post(std::function<void()> task) = 0;

  // Seconds since midnight, local time, with their fraction.
  virtual double SecondsSinceMidnight() = 0;

  // Keeps the screen awake (no screen saver, no blanking, no lock) until the result goes. Where
  // the desktop offers no way to do so, the result does nothing.
  virtual std::unique_ptr<ScreenAwake> KeepScreenAwake(std::string_view reason) = 0;

  // The desktop's colour for a system colour index (platform/toolkit/system_colors.h): its own
  // where it has a match, the classic one otherwise; black for an index that names none.
  virtual Color SystemColor(int index) const = 0;
};

}  // namespace starquill
