// A window of another program for the end-to-end tests to run the show in, as a screen saver
// would: a plain white window of the size asked for at the top-left corner of the screen, or
// with --input-only an input-only window there, in which nothing can be drawn. It prints its X
// window id (0x...) on stdout once it is mapped, and stays until it is killed.

#include <xcb/xcb.h>

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

uint32_t InputOnlyWindow(int width, int height) {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return 0;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const xcb_window_t window = xcb_generate_id(connection);
  xcb_create_window(connection, 0, window, screen->root, 0, 0, static_cast<uint16_t>(width),
                    static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_map_window(connection, window);
  // A round trip: the window exists once this returns.
  free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
  return window;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const bool inputOnly = argc == 4 && std::strcmp(argv[1], "--input-only") == 0;
  if (argc != 3 && !inputOnly) {
    std::fprintf(stderr, "usage: host_window [--input-only] WIDTH HEIGHT\n");
    return 2;
  }
  const int width = std::atoi(argv[argc - 2]), height = std::atoi(argv[argc - 1]);
  QWidget window;
  if (inputOnly) {
    std::printf("0x%x\n", InputOnlyWindow(width, height));
  } else {
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("host"));
    window.setAutoFillBackground(true);
    window.setPalette(QPalette(Qt::white));
    window.setGeometry(0, 0, width, height);
    window.show();
    QApplication::sync();
    std::printf("0x%llx\n", static_cast<unsigned long long>(window.winId()));
  }
  std::fflush(stdout);
  return QApplication::exec();
}
