#include "app/program.h"

#include <algorithm>
#include <cmath>

#include "platform/support/random.h"

namespace starquill {
namespace {

// Milliseconds since midnight: a new seed on every start, and a whole number a user can give
// back with --seed to see the same show again.
uint32_t ClockSeed(Platform& platform) {
  const double ms = std::floor(platform.SecondsSinceMidnight() * 1000.0);
  if (!(ms >= 0)) return 0;  // also NaN
  return static_cast<uint32_t>(std::min(ms, static_cast<double>(kLargestSeed)));
}

}  // namespace

// Every run is a show of its own, unless a seed asks to repeat one.
Program::Program(Platform& platform, ProgramCourse course)
    : platform_(platform), course_(course), seed_(course.seed.value_or(ClockSeed(platform))) {}

void Program::Start() {
  if (started_) return;
  started_ = true;
  Randomize(seed_);
  if (!course_.splash) {
    OpenShow();
    return;
  }
  // The show opens at once, inside the start control's event, so that no moment passes without
  // a window; the splash is dropped once that event is over (its button is still handling it).
  splash_ = std::make_unique<frmSplash>(platform_, [this] {
    platform_.Post([this] { splash_.reset(); });
    OpenShow();
  });
  // Closed without a start, the splash was the program's last window.
  splash_->Closed = [this] { platform_.EndProgram(); };
  splash_->Form_Load();
}

void Program::OpenShow() {
  if (show_) return;
  ShowSettings settings = course_.show;
  settings.runSeed = seed_;
  show_ = std::make_unique<frmMain>(platform_, settings);
  show_->SetSound(sound_);
  // The show's window is the program's last: the program decides to end when it closes (the
  // platform does not watch for a last window).
  show_->Closed = [this] { platform_.EndProgram(); };
  show_->Load();
  if (!course_.programme) return;
  switch (*course_.programme) {
    case Programme::Minimal:
      show_->mnuMinimal_Click();
      break;
    case Programme::Medium:
      show_->mnuMedium_Click();
      break;
    case Programme::GrandFinale:
      show_->mnuGrand_Click();
      break;
  }
}

void Program::End() {
  if (show_) {
    show_->EndShow();
  } else {
    platform_.EndProgram();
  }
}

}  // namespace starquill
