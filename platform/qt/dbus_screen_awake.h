#pragma once
// Keeps the screen awake through the desktop's services on the session bus: the screen saver
// service (org.freedesktop.ScreenSaver: Inhibit while the hold lives, UnInhibit when it goes),
// or, where that service is missing, the desktop portal (org.freedesktop.portal.Inhibit with
// the idle flag, ended by closing its request).

#include <QDBusObjectPath>
#include <QDBusPendingReply>
#include <QString>
#include <memory>
#include <string_view>

class QDBusPendingCallWatcher;

namespace starquill {

class DBusScreenAwake {
 public:
  // Asks for the hold without waiting for the answer; a refusal, or no session bus, is reported
  // in one line on stderr and the screen is then left as it is.
  explicit DBusScreenAwake(std::string_view reason);
  // Gives the hold back, and waits (briefly) until the service has it: the program may end
  // right after.
  ~DBusScreenAwake();

  DBusScreenAwake(const DBusScreenAwake&) = delete;
  DBusScreenAwake& operator=(const DBusScreenAwake&) = delete;

 private:
  // Asks the portal, once the screen saver service has turned out to be missing.
  void AskPortal();

  QString reason_;
  bool asked_ = false;                                // a session bus was there to ask
  QDBusPendingReply<uint> inhibit_;                   // the screen saver's answer: the cookie
  std::unique_ptr<QDBusPendingCallWatcher> watcher_;  // acts on the screen saver's answer
  bool portal_asked_ = false;
  QString request_;  // the handle the portal's hold gets (see the portal's request convention)
  QDBusPendingReply<QDBusObjectPath> portal_inhibit_;        // the portal's answer: the handle
  std::unique_ptr<QDBusPendingCallWatcher> portal_watcher_;  // reports a refusal
};

}  // namespace starquill
