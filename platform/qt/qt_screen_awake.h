#pragma once
// The screen saver hold of the Qt backend: the desktop's services on the session bus, and on X
// the X server's own screen saver and power management.

#include <string_view>

#include "platform/qt/dbus_screen_awake.h"
#include "platform/qt/x11_screen_awake.h"
#include "platform/toolkit/platform.h"

namespace starquill {

class QtScreenAwake : public ScreenAwake {
 public:
  explicit QtScreenAwake(std::string_view reason) : desktop_(reason) {}

 private:
  DBusScreenAwake desktop_;
  X11ScreenAwake server_;
};

}  // namespace starquill
