#include "platform/qt/dbus_screen_awake.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QThread>
#include <QVariantMap>
#include <cstdio>

namespace starquill {
namespace {

constexpr char kService[] = "org.freedesktop.ScreenSaver";
constexpr char kPath[] = "/org/freedesktop/ScreenSaver";
constexpr char kInterface[] = "org.freedesktop.ScreenSaver";

constexpr char kPortalService[] = "org.freedesktop.portal.Desktop";
constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
constexpr char kPortalInhibit[] = "org.freedesktop.portal.Inhibit";
constexpr char kPortalRequest[] = "org.freedesktop.portal.Request";
constexpr uint kInhibitIdle = 8;

// How long the end of the hold may delay the program's end.
constexpr int kReleaseWaitMs = 250;

void ReportCannotKeepAwake(const QString& why) {
  std::fprintf(stderr, "starquill: cannot keep the screen awake: %s\n", qUtf8Printable(why));
}

// Why there is no session bus, in words.
QString NoSessionBus() {
  const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
  if (address.isEmpty())
    return QStringLiteral("no session bus (DBUS_SESSION_BUS_ADDRESS is not set)");
  return QStringLiteral("no session bus at %1").arg(address);
}

// Whether the error says that nobody offers the call: no such service on the bus, or a service
// without that object, interface or method.
bool IsMissing(const QDBusError& error) {
  switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
      return true;
    default:
      return error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
  }
}

QDBusMessage ScreenSaverCall(const char* method) {
  return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

// The portal's handle of a request made with this token: the caller's unique name without its
// ':' and with '_' for '.', then the token.
QString PortalRequestPath(QString caller, const QString& token) {
  if (caller.startsWith(QLatin1Char(':'))) caller.remove(0, 1);
  caller.replace(QLatin1Char('.'), QLatin1Char('_'));
  return QStringLiteral("%1/request/%2/%3").arg(kPortalPath, caller, token);
}

// Waits for the bus connection's own thread to take in the answer, without running the event
// loop (which could call back into the windows being taken down).
bool AnsweredBy(const QDBusPendingCall& call, const QDeadlineTimer& deadline) {
  while (!call.isFinished() && !deadline.hasExpired())
    QThread::msleep(1);
  return call.isFinished();
}

// A blocking call: the release has reached the service when it returns. A refusal is reported
// when the hold is known to exist.
void Release(const QDBusMessage& call, bool held) {
  const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kReleaseWaitMs);
  if (held && reply.type() == QDBusMessage::ErrorMessage) {
    std::fprintf(stderr, "starquill: cannot let the screen sleep again: %s\n",
                 qUtf8Printable(reply.errorMessage()));
  }
}

}  // namespace

DBusScreenAwake::DBusScreenAwake(std::string_view reason)
    : reason_(QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()))) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    ReportCannotKeepAwake(NoSessionBus());
    return;
  }
  asked_ = true;
  QDBusMessage call = ScreenSaverCall("Inhibit");
  call << QStringLiteral("Starquill") << reason_;
  inhibit_ = bus.asyncCall(call);
  watcher_ = std::make_unique<QDBusPendingCallWatcher>(inhibit_);
  QObject::connect(watcher_.get(), &QDBusPendingCallWatcher::finished, watcher_.get(), [this] {
    if (!inhibit_.isError()) return;
    if (IsMissing(inhibit_.error())) {
      AskPortal();
    } else {
      ReportCannotKeepAwake(inhibit_.error().message());
    }
  });
}

void DBusScreenAwake::AskPortal() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  const QString token =
      QStringLiteral("starquill_%1")
          .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
  request_ = PortalRequestPath(bus.baseService(), token);
  QDBusMessage call =
      QDBusMessage::createMethodCall(kPortalService, kPortalPath, kPortalInhibit, "Inhibit");
  call << QString() << kInhibitIdle
       << QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("reason"), reason_}};
  portal_inhibit_ = bus.asyncCall(call);
  portal_asked_ = true;
  portal_watcher_ = std::make_unique<QDBusPendingCallWatcher>(portal_inhibit_);
  QObject::connect(
      portal_watcher_.get(), &QDBusPendingCallWatcher::finished, portal_watcher_.get(), [this] {
        if (!portal_inhibit_.isError()) return;
        const QDBusError error = portal_inhibit_.error();
        ReportCannotKeepAwake(IsMissing(error)
                                  ? QStringLiteral("neither %1 nor %2 is on the session bus")
                                        .arg(kService, kPortalService)
                                  : error.message());
      });
}

DBusScreenAwake::~DBusScreenAwake() {
  watcher_.reset();
  portal_watcher_.reset();
  if (!asked_) return;
  const QDeadlineTimer deadline(kReleaseWaitMs);
  if (!AnsweredBy(inhibit_, deadline)) return;
  if (inhibit_.isValid()) {
    QDBusMessage call = ScreenSaverCall("UnInhibit");
    call << inhibit_.value();
    Release(call, true);
    return;
  }
  if (!portal_asked_) return;
  // Unanswered, the hold may still come: its handle is known ahead.
  const bool answered = AnsweredBy(portal_inhibit_, deadline);
  if (answered && !portal_inhibit_.isValid()) return;
  const QString handle = answered ? portal_inhibit_.value().path() : request_;
  Release(QDBusMessage::createMethodCall(kPortalService, handle, kPortalRequest, "Close"),
          answered);
}

}  // namespace starquill
