// The desktop's ways to run: the splash and then the show, or the show at once.

#include "app/qt_session.h"
#include "app/ways_to_run.h"

namespace starquill {

int RunOnTheDesktop(const RunOptions& options, std::vector<std::string> toolkitArgs) {
  const auto application = OpenQtSession(std::move(toolkitArgs), options.verbose);
  QtPlatform platform;
  RunCourse(platform, DesktopCourse(options), options.sound, options.verbose);
}

}  // namespace starquill
