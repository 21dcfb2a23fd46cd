// Starquill: a fireworks show for the desktop.

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/command_line.h"
#include "app/program.h"
#include "app/program_sound.h"
#include "art/icon_art.h"
#include "platform/drawing/pixel_art.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_host_window.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_signals.h"
#include "platform/support/standard_streams.h"

namespace {

[[noreturn]] void Stop(const std::string& message) {
  std::fprintf(stderr, "starquill: %s\n", message.c_str());
  std::fflush(nullptr);
  std::_Exit(1);
}

// The window a screen saver run draws in: the one asked for, else the screen saver's own
// (XSCREENSAVER_WINDOW), else the root window. Ends the program when there is none.
std::unique_ptr<starquill::HostWindow> OpenHostWindow(const starquill::RunOptions& options) {
  uint32_t id = options.windowId.value_or(0);
  if (id == 0) {
    if (const char* named = std::getenv("XSCREENSAVER_WINDOW"); named && *named) {
      const auto parsed = starquill::ParseWindowId(named);
      if (!parsed) Stop("XSCREENSAVER_WINDOW is not a window id");
      id = *parsed;
    } else {
      id = starquill::HostWindow::RootWindow();
    }
  }
  if (id == 0) Stop("a screen saver needs an X11 display");
  auto opened = starquill::HostWindow::Open(id);
  if (auto* why = std::get_if<std::string>(&opened)) Stop("cannot draw in the window: " + *why);
  auto host = std::move(std::get<std::unique_ptr<starquill::HostWindow>>(opened));
  // Nothing left to draw on: the screen saver is done with the program, or went wrong.
  host->Gone = [] { Stop("the window to draw in has gone"); };
  host->Refused = [](const std::string& why) { Stop("cannot draw in the window: " + why); };
  return host;
}

// Writes the text to stdout; a write error (a full disk, a closed stdout) is reported in one
// line on stderr and gives status 1, as for any program whose output is its result.
int Answer(const std::string& text, bool stdoutClosed) {
  errno = 0;
  if (!stdoutClosed && std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0) {
    return 0;
  }
  const int error = stdoutClosed ? EBADF : errno != 0 ? errno : EIO;
  std::fprintf(stderr, "starquill: cannot write to standard output: %s\n", std::strerror(error));
  return 1;
}

// What --verbose tells of the sound once the show is over.
void ReportSound(const starquill::SoundOutputStats& stats) {
  if (stats.blocksWritten == 0) {
    std::fprintf(stderr, "starquill: sound: no sound was played\n");
    return;
  }
  std::fprintf(stderr,
               "starquill: sound: %llu blocks of 10 ms played, latency %.1f ms (at most %.1f "
               "ms), %llu underruns\n",
               static_cast<unsigned long long>(stats.blocksWritten), stats.latencyUs / 1000.0,
               stats.maxLatencyUs / 1000.0, static_cast<unsigned long long>(stats.underruns));
}

}  // namespace

int main(int argc, char* argv[]) {
  // Before anything opens a file: a stream that is closed would be taken by the next one.
  const bool stdoutClosed = starquill::OpenMissingStandardStreams()[1];
  // Help, version and mistakes are answered before any display is needed.
  const std::vector<std::string_view> args(argv + std::min(argc, 1), argv + argc);
  const starquill::CommandLine command = starquill::ParseCommandLine(args);
  switch (command.action) {
    case starquill::CommandLine::Action::Help:
      return Answer(starquill::UsageText(), stdoutClosed);
    case starquill::CommandLine::Action::Version:
      return Answer(starquill::VersionText(), stdoutClosed);
    case starquill::CommandLine::Action::Error:
      std::fprintf(stderr, "starquill: %s\n%s\n", command.error.c_str(),
                   std::string(starquill::kUsageHint).c_str());
      return 2;
    case starquill::CommandLine::Action::Run:
      break;
  }
  const starquill::RunOptions& options = command.run;
  // Window ids are X11's: a screen saver run talks X11 even in a Wayland session.
  if (options.course.screenSaver) setenv("QT_QPA_PLATFORM", "xcb", 0);

  // The toolkit reads its own options, in the form it knows; ours are not its business.
  std::vector<std::string> toolkitArgs{argc > 0 ? argv[0] : "starquill"};
  toolkitArgs.insert(toolkitArgs.end(), command.toolkitArgs.begin(), command.toolkitArgs.end());
  std::vector<char*> toolkitArgv;
  for (std::string& arg : toolkitArgs)
    toolkitArgv.push_back(arg.data());
  toolkitArgv.push_back(nullptr);
  int toolkitArgc = static_cast<int>(toolkitArgs.size());
  const auto application =
      starquill::OpenApplication(toolkitArgc, toolkitArgv.data(), options.verbose);
  QApplication::setApplicationName(QStringLiteral("Starquill"));
  QApplication::setApplicationVersion(QStringLiteral(STARQUILL_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.starquill.Starquill"));
  // Every window shows the program's firework icon.
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(
      starquill::ToQImage(starquill::ParsePixelArt(starquill::kStarquillIconArt)))));

  starquill::QtPlatform platform;
  std::unique_ptr<starquill::HostWindow> host;
  if (options.course.screenSaver) {
    host = OpenHostWindow(options);
    platform.DrawInto(host.get());
  }
  starquill::Program program(platform, options.course);
  std::unique_ptr<starquill::ProgramSound> sound;
  if (options.sound) {
    sound = std::make_unique<starquill::ProgramSound>(program.Seed());
    program.SetSound(sound.get());
  }
  // A signal to end is taken as Esc: the screen saver hold is given back on the way out, and
  // the program then dies of the signal.
  const starquill::TerminationSignals termination([&program] { program.End(); });
  program.Start();
  if (options.verbose) {
    std::fprintf(stderr, "starquill: seed %u (--seed %u shows this show again)\n", program.Seed(),
                 program.Seed());
  }
  const int status = QApplication::exec();
  if (sound && options.verbose) ReportSound(sound->Stats());
  // The show may hold hundreds of thousands of sparkles and the toolkit its windows and its
  // display connection: the operating system takes all of it back at once, much faster than
  // releasing it piece by piece. The screen saver hold is already given back by then.
  std::fflush(nullptr);
  if (const auto signal = termination.Received()) {
    // Ended by a signal, the program says so to whoever started it by dying of it.
    sound.reset();
    starquill::EndBySignal(*signal);
  }
  std::_Exit(status);
}
