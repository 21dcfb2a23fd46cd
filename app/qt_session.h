#pragma once
// What the two ways to run on a screen share: Qt's application, opened with the toolkit's own
// options and the program's name and icon, and a course run on its event loop until it ends.

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/qt/qt_platform.h"

namespace starquill {

// `toolkitArgs`: the program's name, then the toolkit's own options. Ends the process with one
// line and status 1 when no display can be opened.
std::unique_ptr<QApplication> OpenQtSession(std::vector<std::string> toolkitArgs, bool verbose);

// Runs the course until it ends: heard when `sound` (the desktop only), the seed said when
// `verbose`. A signal to end is taken as Esc, and the process then dies of it. Never returns.
[[noreturn]] void RunCourse(QtPlatform& platform, const ProgramCourse& course, bool sound,
                            bool verbose);

}  // namespace starquill
