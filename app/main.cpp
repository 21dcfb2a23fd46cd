// Starquill: a fireworks show for the desktop.

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/program.h"
#include "art/icon_art.h"
#include "platform/drawing/pixel_art.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char* argv[]) {
  // Help, version and mistakes are answered before any display is needed.
  const std::vector<std::string_view> args(argv + std::min(argc, 1), argv + argc);
  const starquill::CommandLine command = starquill::ParseCommandLine(args);
  switch (command.action) {
    case starquill::CommandLine::Action::Help:
      std::fputs(starquill::UsageText().c_str(), stdout);
      return 0;
    case starquill::CommandLine::Action::Version:
      std::fputs(starquill::VersionText().c_str(), stdout);
      return 0;
    case starquill::CommandLine::Action::Error:
      std::fprintf(stderr, "starquill: %s\n%s\n", command.error.c_str(),
                   std::string(starquill::kUsageHint).c_str());
      return 2;
    case starquill::CommandLine::Action::Run:
      break;
  }

  const auto application = starquill::OpenApplication(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Starquill"));
  QApplication::setApplicationVersion(QStringLiteral(STARQUILL_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.starquill.Starquill"));
  // Every window shows the program's firework icon.
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(
      starquill::ToQImage(starquill::ParsePixelArt(starquill::kStarquillIconArt)))));

  starquill::QtPlatform platform;
  starquill::Program program(platform);
  program.Start();
  const int status = QApplication::exec();
  // The show may hold hundreds of thousands of sparkles and the toolkit its windows and its
  // display connection: the operating system takes all of it back at once, much faster than
  // releasing it piece by piece. The screen saver hold is already given back by then.
  std::fflush(nullptr);
  std::_Exit(status);
}
