// A window of another program for the end-to-end tests to run the show in, as a screen saver
// would: a plain white window of the size asked for at the top-left corner of the screen. It
// prints its X window id (0x...) on stdout once it is mapped, and stays until it is killed.

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: host_window WIDTH HEIGHT\n");
    return 2;
  }
  QWidget window;
  window.setWindowFlag(Qt::FramelessWindowHint);
  window.setWindowTitle(QStringLiteral("host"));
  window.setAutoFillBackground(true);
  window.setPalette(QPalette(Qt::white));
  window.setGeometry(0, 0, std::atoi(argv[1]), std::atoi(argv[2]));
  window.show();
  QApplication::sync();
  std::printf("0x%llx\n", static_cast<unsigned long long>(window.winId()));
  std::fflush(stdout);
  return QApplication::exec();
}
