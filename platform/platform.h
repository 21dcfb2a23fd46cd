#pragma once
// What the forms need of the windowing platform: timers, windows and ending the program.
// The desktop program provides it with Qt; tests provide a recording double with a manual clock.

#include <memory>

#include "platform/timer.h"
#include "platform/window.h"

namespace starquill {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual TimerService& Timers() = 0;
  virtual std::unique_ptr<Window> CreateWindow() = 0;
  // Ends the program at once: no more events are handled, every window goes.
  virtual void EndProgram() = 0;
};

}  // namespace starquill
