// Prints the state of the X server's own screen saver on the display in DISPLAY, for the
// end-to-end tests: "on" (the screen is saved), "off" (counting down to saving it),
// "disabled", or "cycle" (changing what it shows).

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

int main() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "screen_saver_state: cannot open the display\n");
    return 1;
  }
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  xcb_screensaver_query_info_reply_t* info = xcb_screensaver_query_info_reply(
      connection, xcb_screensaver_query_info(connection, screen->root), nullptr);
  if (info == nullptr) {
    std::fprintf(stderr, "screen_saver_state: the server has no screen saver extension\n");
    return 1;
  }
  const char* states[] = {"off", "on", "cycle", "disabled"};
  std::puts(info->state < 4 ? states[info->state] : "unknown");
  std::free(info);
  xcb_disconnect(connection);
  return 0;
}
