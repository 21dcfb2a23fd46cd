#include "platform/qt/qt_screen_awake.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QThread>
#include <cstdio>

namespace starquill {
namespace {

constexpr char kService[] = "org.freedesktop.ScreenSaver";
constexpr char kPath[] = "/org/freedesktop/ScreenSaver";
constexpr char kInterface[] = "org.freedesktop.ScreenSaver";
// How long the end of the hold may delay the program's end.
constexpr int kReleaseWaitMs = 250;

void ReportCannotKeepAwake(const QString& why) {
  std::fprintf(stderr, "starquill: cannot keep the screen awake: %s\n", qUtf8Printable(why));
}

QDBusMessage ScreenSaverCall(const char* method) {
  return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

}  // namespace

DBusScreenAwake::DBusScreenAwake(std::string_view reason) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    const QDBusError error = bus.lastError();
    ReportCannotKeepAwake(error.isValid() ? error.message() : QStringLiteral("no session bus"));
    return;
  }
  QDBusMessage call = ScreenSaverCall("Inhibit");
  call << QStringLiteral("Starquill")
       << QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()));
  inhibit_ = bus.asyncCall(call);
  watcher_ = std::make_unique<QDBusPendingCallWatcher>(inhibit_);
  QObject::connect(watcher_.get(), &QDBusPendingCallWatcher::finished, watcher_.get(), [this] {
    if (inhibit_.isError()) ReportCannotKeepAwake(inhibit_.error().message());
  });
}

DBusScreenAwake::~DBusScreenAwake() {
  watcher_.reset();
  // The answer is taken in by the bus connection's own thread, so it can come in here while
  // this thread waits, without running the event loop (which could call back into the
  // windows being taken down).
  const QDeadlineTimer deadline(kReleaseWaitMs);
  while (!inhibit_.isFinished() && !deadline.hasExpired())
    QThread::msleep(1);
  if (!inhibit_.isFinished() || !inhibit_.isValid()) return;
  // A blocking call: the release has reached the service when it returns.
  QDBusMessage call = ScreenSaverCall("UnInhibit");
  call << inhibit_.value();
  const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kReleaseWaitMs);
  if (reply.type() == QDBusMessage::ErrorMessage) {
    std::fprintf(stderr, "starquill: cannot let the screen sleep again: %s\n",
                 qUtf8Printable(reply.errorMessage()));
  }
}

}  // namespace starquill
