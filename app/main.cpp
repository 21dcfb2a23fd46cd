// Starquill: a fireworks show for the desktop.

#include <QApplication>

#include "platform/qt/qt_platform.h"
#include "show/frmMain.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Starquill"));
  QApplication::setDesktopFileName(QStringLiteral("starquill"));

  starquill::QtPlatform platform;
  starquill::frmMain show(platform);
  show.Load();
  return QApplication::exec();
}
