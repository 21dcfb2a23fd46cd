#pragma once
// The program's course: it starts on the splash screen, and the splash's start controls hand
// over to the show window. Nothing else creates the splash and nothing else opens the show; the
// command line may skip the splash and open the show at once.

#include <cstdint>
#include <memory>
#include <optional>

#include "app/run_options.h"
#include "platform/toolkit/platform.h"
#include "show/frmMain.h"
#include "splash/frmSplash.h"

namespace starquill {

// How a run goes, as its way to run chose it.
struct ProgramCourse {
  // The random generator's seed for the whole run; taken from the clock when not given.
  std::optional<uint32_t> seed;
  bool splash = true;                  // the splash first; else the show opens at once
  std::optional<Programme> programme;  // started with the show, as if chosen from its menu
  ShowSettings show;                   // where and how the show shows (its seed is the run's)
};

class Program {
 public:
  // Takes the run's seed: the one given, else one from the clock.
  Program(Platform& platform, ProgramCourse course = {});

  // Seeds the random generator, then opens the splash screen, or the show when the course says so.
  void Start();
  // Ends the program as Esc does wherever the user is: the show gives its screen saver hold back.
  void End();

  // The seed the run starts from.
  uint32_t Seed() const { return seed_; }
  // The show, once open, tells this sound what happens; none: a silent show. It must outlive
  // the program.
  void SetSound(ShowSound* sound) { sound_ = sound; }
  frmSplash* Splash() { return splash_.get(); }
  frmMain* Show() { return show_.get(); }

 private:
  void OpenShow();

  Platform& platform_;
  const ProgramCourse course_;
  const uint32_t seed_;
  ShowSound* sound_ = nullptr;
  bool started_ = false;
  std::unique_ptr<frmSplash> splash_;
  std::unique_ptr<frmMain> show_;
};

}  // namespace starquill
