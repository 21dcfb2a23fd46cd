// The show as a screen saver runs it: in the window the screen saver gives (--window-id, or
// XSCREENSAVER_WINDOW with --root), else on the whole screen (the root window).

#include <cstdio>
#include <cstdlib>
#include <string>
#include <variant>

#include "app/command_line.h"
#include "app/qt_session.h"
#include "app/ways_to_run.h"
#include "platform/qt/qt_host_window.h"

namespace starquill {
namespace {

[[noreturn]] void Stop(const std::string& message) {
  std::fprintf(stderr, "starquill: %s\n", message.c_str());
  std::fflush(nullptr);
  std::_Exit(1);
}

// The window to draw in: the one asked for, else the screen saver's own, else the root window.
// Ends the program when there is none.
std::unique_ptr<HostWindow> OpenHostWindow(const RunOptions& options) {
  uint32_t id = options.windowId.value_or(0);
  if (id == 0) {
    if (const char* named = std::getenv("XSCREENSAVER_WINDOW"); named && *named) {
      const auto parsed = ParseWindowId(named);
      if (!parsed) Stop("XSCREENSAVER_WINDOW is not a window id");
      id = *parsed;
    } else {
      id = HostWindow::RootWindow();
    }
  }
  if (id == 0) Stop("a screen saver needs an X11 display");
  auto opened = HostWindow::Open(id);
  if (auto* why = std::get_if<std::string>(&opened)) Stop("cannot draw in the window: " + *why);
  auto host = std::move(std::get<std::unique_ptr<HostWindow>>(opened));
  // Nothing left to draw on: the screen saver is done with the program, or went wrong.
  host->Gone = [] { Stop("the window to draw in has gone"); };
  host->Refused = [](const std::string& why) { Stop("cannot draw in the window: " + why); };
  return host;
}

}  // namespace

int RunAsScreenSaver(const RunOptions& options, std::vector<std::string> toolkitArgs) {
  // Window ids are X11's: a screen saver run talks X11 even in a Wayland session.
  setenv("QT_QPA_PLATFORM", "xcb", 0);
  const auto application = OpenQtSession(std::move(toolkitArgs), options.verbose);
  QtPlatform platform;
  const std::unique_ptr<HostWindow> host = OpenHostWindow(options);
  platform.ShowInHost(host.get());
  // A screen saver run is always silent.
  RunCourse(platform, ScreenSaverCourse(options), false, options.verbose);
}

}  // namespace starquill
