#pragma once
// Each way to run the program, with its policy in one place: the course it takes (splash or
// not, the programme), where the show's window shows and what it takes from the user and the
// desktop, and its look. Run* start the way; the *Course functions are its policy, plain data
// that tests read without a display.

#include <string>
#include <vector>

#include "app/program.h"
#include "app/run_options.h"

namespace starquill {

// The desktop: the splash, then the show full screen, with keys, menu and pointer, keeping the
// screen awake. Straight to the show: the same without the splash. Plain unless asked.
ProgramCourse DesktopCourse(const RunOptions& options);
// A screen saver: the show alone in the screen saver's window, taking nothing from the user
// and leaving the screen saver and the pointer alone; the Medium programme and the vivid look
// unless asked otherwise (nobody runs a screen saver for the plain look).
ProgramCourse ScreenSaverCourse(const RunOptions& options);
// A recording: the show off the screen, drawn for each video frame between the steps as the
// smooth look draws it, glowing when asked; keys come from the schedule only.
ProgramCourse RecordingCourse(const RunOptions& options);

// `toolkitArgs`: the program's name, then the windowing toolkit's own options.
int RunOnTheDesktop(const RunOptions& options, std::vector<std::string> toolkitArgs);
int RunAsScreenSaver(const RunOptions& options, std::vector<std::string> toolkitArgs);
int RunRecording(const RunOptions& options);

}  // namespace starquill
