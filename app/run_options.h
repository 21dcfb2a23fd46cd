#pragma once
// What the command line asks of a run, as given: the way to run (app/ways_to_run.h) decides
// everything left open.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace starquill {

// The show programmes of the menu.
enum class Programme { Minimal, Medium, GrandFinale };

// Seeds are whole numbers from 0 to this, so that any seed can be given back on the command line.
inline constexpr uint32_t kLargestSeed = 0x7FFFFFFF;

// A key of the show pressed at a moment of a recording (whole milliseconds from its start).
struct KeyAt {
  char key;
  int64_t ms;
  friend bool operator==(const KeyAt&, const KeyAt&) = default;
};

// A show rendered into a video file instead of shown.
struct RecordOptions {
  std::string file;
  double seconds = 60;
  int width = 1920, height = 1080;
  int fps = 60;
  std::vector<KeyAt> keys;  // in the order of their moments
  bool quiet = false;       // no progress on stderr
};

struct RunOptions {
  std::optional<uint32_t> seed;        // the random generator's seed for the whole run
  bool straightToShow = false;         // no splash
  std::optional<Programme> programme;  // started with the show, as if chosen from its menu
  std::optional<bool> smooth, glow;    // the look, when asked for
  bool verbose = false;                // says the seed in use, so that a show can be repeated
  bool sound = false;                  // the show is heard
  bool root = false;                   // a screen saver on its window, or on the root window
  std::optional<uint32_t> windowId;    // a screen saver in this X window
  std::optional<RecordOptions> record;
};

// The ways to run, each with its home in app/: the desktop with its splash, straight to the
// show, in another program's window as a screen saver, and into a video file.
enum class WayToRun { Desktop, Show, ScreenSaver, Recording };

inline WayToRun WayOf(const RunOptions& options) {
  if (options.record) return WayToRun::Recording;
  if (options.root || options.windowId) return WayToRun::ScreenSaver;
  return options.straightToShow ? WayToRun::Show : WayToRun::Desktop;
}

}  // namespace starquill
