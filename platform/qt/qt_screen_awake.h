#pragma once
// Keeps the screen awake through the session's screen saver service on D-Bus
// (org.freedesktop.ScreenSaver: Inhibit while the hold lives, UnInhibit when it goes).

#include <QDBusPendingReply>
#include <memory>
#include <string_view>

#include "platform/toolkit/platform.h"

class QDBusPendingCallWatcher;

namespace starquill {

class DBusScreenAwake : public ScreenAwake {
 public:
  // Asks for the hold without waiting for the answer; a refusal, or no session bus, is reported
  // in one line on stderr and the screen is then left as it is.
  explicit DBusScreenAwake(std::string_view reason);
  // Gives the hold back, and waits (briefly) until the service has it: the program may end
  // right after.
  ~DBusScreenAwake() override;

  DBusScreenAwake(const DBusScreenAwake&) = delete;
  DBusScreenAwake& operator=(const DBusScreenAwake&) = delete;

 private:
  QDBusPendingReply<uint> inhibit_;                   // the answer to Inhibit: the hold's cookie
  std::unique_ptr<QDBusPendingCallWatcher> watcher_;  // reports a refusal when it comes
};

}  // namespace starquill
