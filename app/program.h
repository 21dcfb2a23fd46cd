#pragma once
// The program's course: it starts on the splash screen, and the splash's start controls hand
// over to the show window. Nothing else creates the splash and nothing else opens the show.

#include <memory>

#include "platform/toolkit/platform.h"
#include "show/frmMain.h"
#include "splash/frmSplash.h"

namespace starquill {

class Program {
 public:
  explicit Program(Platform& platform) : platform_(platform) {}

  // Opens the splash screen.
  void Start();

  frmSplash* Splash() { return splash_.get(); }
  frmMain* Show() { return show_.get(); }

 private:
  void OpenShow();

  Platform& platform_;
  std::unique_ptr<frmSplash> splash_;
  std::unique_ptr<frmMain> show_;
};

}  // namespace starquill
