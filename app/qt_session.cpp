#include "app/qt_session.h"

#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "app/program_sound.h"
#include "art/icon_art.h"
#include "platform/drawing/pixel_art.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_signals.h"

namespace starquill {
namespace {

// What --verbose tells of the sound once the show is over.
void ReportSound(const SoundOutputStats& stats) {
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

std::unique_ptr<QApplication> OpenQtSession(std::vector<std::string> toolkitArgs, bool verbose) {
  // Qt keeps pointers to the arguments for the application's life.
  static std::vector<std::string> args;
  static std::vector<char*> argv;
  static int argc = 0;
  args = std::move(toolkitArgs);
  for (std::string& arg : args)
    argv.push_back(arg.data());
  argv.push_back(nullptr);
  argc = static_cast<int>(args.size());
  auto application = OpenApplication(argc, argv.data(), verbose);
  QApplication::setApplicationName(QStringLiteral("Starquill"));
  QApplication::setApplicationVersion(QStringLiteral(STARQUILL_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.starquill.Starquill"));
  // Every window shows the program's firework icon.
  QApplication::setWindowIcon(
      QIcon(QPixmap::fromImage(ToQImage(ParsePixelArt(kStarquillIconArt)))));
  return application;
}

void RunCourse(QtPlatform& platform, const ProgramCourse& course, bool sound, bool verbose) {
  Program program(platform, course);
  std::unique_ptr<ProgramSound> heard;
  if (sound) {
    heard = std::make_unique<ProgramSound>(program.Seed());
    program.SetSound(heard.get());
  }
  // A signal to end is taken as Esc: the screen saver hold is given back on the way out, and
  // the program then dies of the signal.
  const TerminationSignals termination([&program] { program.End(); });
  program.Start();
  if (verbose) {
    std::fprintf(stderr, "starquill: seed %u (--seed %u shows this show again)\n", program.Seed(),
                 program.Seed());
  }
  const int status = QApplication::exec();
  if (heard && verbose) ReportSound(heard->Stats());
  // The show may hold hundreds of thousands of sparkles and the toolkit its windows and its
  // display connection: the operating system takes all of it back at once, much faster than
  // releasing it piece by piece. The screen saver hold is already given back by then.
  std::fflush(nullptr);
  if (const auto signal = termination.Received()) {
    // Ended by a signal, the program says so to whoever started it by dying of it.
    heard.reset();
    EndBySignal(*signal);
  }
  std::_Exit(status);
}

}  // namespace starquill
