#include "platform/qt/x11_screen_awake.h"

#include <xcb/dpms.h>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>

namespace starquill {
namespace {

// Qt's connection to the X server, or null when the application does not run on X.
xcb_connection_t* QtXConnection() {
  if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

bool HasExtension(xcb_connection_t* connection, xcb_extension_t* extension) {
  const xcb_query_extension_reply_t* data = xcb_get_extension_data(connection, extension);
  return data != nullptr && data->present;
}

// Whether DPMS is on.
bool DpmsEnabled(xcb_connection_t* connection) {
  xcb_dpms_info_reply_t* info = xcb_dpms_info_reply(connection, xcb_dpms_info(connection), nullptr);
  const bool enabled = info != nullptr && info->state;
  std::free(info);
  return enabled;
}

// Sends a request and waits until the server has handled it.
void Done(xcb_connection_t* connection, xcb_void_cookie_t request) {
  std::free(xcb_request_check(connection, request));
}

}  // namespace

X11ScreenAwake::X11ScreenAwake() {
  xcb_connection_t* connection = QtXConnection();
  if (connection == nullptr) return;
  if (HasExtension(connection, &xcb_screensaver_id)) {
    Done(connection, xcb_screensaver_suspend_checked(connection, 1));
    saver_suspended_ = true;
  }
  if (HasExtension(connection, &xcb_dpms_id) && DpmsEnabled(connection)) {
    Done(connection, xcb_dpms_disable_checked(connection));
    dpms_turned_off_ = true;
  }
  if (saver_suspended_ || dpms_turned_off_) connection_ = connection;
}

X11ScreenAwake::~X11ScreenAwake() {
  // Qt's connection lives as long as the application; without one there is nothing to give
  // back (the server resumes a suspended screen saver of a client that has gone by itself).
  if (connection_ == nullptr || connection_ != QtXConnection()) return;
  if (saver_suspended_) Done(connection_, xcb_screensaver_suspend_checked(connection_, 0));
  if (dpms_turned_off_) Done(connection_, xcb_dpms_enable_checked(connection_));
}

}  // namespace starquill
