#pragma once
// How a way to run the program has the show shown: where its window shows, what it takes from
// the user and the desktop, the run's seed and the look. The ways to run (app/) choose; the
// show only follows.

#include <cstdint>

#include "platform/toolkit/window.h"
#include "show/look.h"

namespace starquill {

struct ShowSettings {
  WindowPlace place = WindowPlace::FullScreen;
  bool takesInput = true;        // keys, mouse and menu (a screen saver's show takes none)
  bool keepsScreenAwake = true;  // the desktop's screen saver is held off while it runs
  bool hidesIdlePointer = true;  // the pointer steps aside over the sky after resting
  uint32_t runSeed = 0;          // the programme's launches repeat with it
  Look look;
};

}  // namespace starquill
