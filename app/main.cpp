// Starquill: a fireworks show for the desktop.

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "app/program.h"
#include "art/icon_art.h"
#include "platform/pixel_art.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Starquill"));
  QApplication::setDesktopFileName(QStringLiteral("starquill"));
  // Every window shows the program's firework icon.
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(
      starquill::ToQImage(starquill::ParsePixelArt(starquill::kStarquillIconArt)))));

  starquill::QtPlatform platform;
  starquill::Program program(platform);
  program.Start();
  return QApplication::exec();
}
