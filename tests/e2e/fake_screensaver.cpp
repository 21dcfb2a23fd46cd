// A stand-in for the desktop's screen saver service, for the end-to-end tests: it owns
// org.freedesktop.ScreenSaver on the session bus, answers Inhibit with a new cookie and
// UnInhibit with nothing, and writes every call it receives to the log file, one line each,
// fields separated by tabs:
//   Inhibit <application name> <reason> <cookie>
//   UnInhibit <cookie>
//   <any other method> (answered with an error)
// It prints "ready" on stdout once the service is on the bus.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QStringList>

#include "fake_service.h"

namespace {

const QString kName = QStringLiteral("org.freedesktop.ScreenSaver");

class FakeScreenSaver : public QDBusVirtualObject {
 public:
  explicit FakeScreenSaver(QFile& log) : log_(log) {}

  QString introspect(const QString&) const override { return {}; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.type() != QDBusMessage::MethodCallMessage || message.interface() != kName) {
      return false;
    }
    QStringList fields{message.member()};
    QDBusMessage reply;
    const QList<QVariant> args = message.arguments();
    if (message.member() == QStringLiteral("Inhibit") && message.signature() == "ss") {
      const uint cookie = next_cookie_++;
      fields << args[0].toString() << args[1].toString() << QString::number(cookie);
      reply = message.createReply(QVariant::fromValue(cookie));
    } else if (message.member() == QStringLiteral("UnInhibit") && message.signature() == "u") {
      fields << QString::number(args[0].toUInt());
      reply = message.createReply();
    } else {
      fields << message.signature();
      reply = message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                       QStringLiteral("not offered by the fake screen saver"));
    }
    fake_service::LogAndAnswer(log_, fields, connection, reply);
    return true;
  }

 private:
  QFile& log_;
  uint next_cookie_ = 4711;
};

}  // namespace

int main(int argc, char* argv[]) {
  return fake_service::Run<FakeScreenSaver>(argc, argv, "fake_screensaver", kName,
                                            QStringLiteral("/org/freedesktop/ScreenSaver"));
}
