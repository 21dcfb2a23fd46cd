// Starquill: a fireworks show for the desktop.

#include <QApplication>

#include "app/program.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Starquill"));
  QApplication::setDesktopFileName(QStringLiteral("starquill"));

  starquill::QtPlatform platform;
  starquill::Program program(platform);
  program.Start();
  return QApplication::exec();
}
