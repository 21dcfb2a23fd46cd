// A stand-in for the desktop portal's Inhibit service, for the end-to-end tests: it owns
// org.freedesktop.portal.Desktop on the session bus, answers Inhibit with the handle of a
// request (found from the caller's unique name and its handle_token, as the portal does), and
// Close on that handle with nothing. It writes every call it receives to the log file, one
// line each, fields separated by tabs:
//   Inhibit <window> <flags> <reason> <handle>
//   Close <path> (an error unless the path is the handle of a hold)
//   <any other method> <path> (answered with an error)
// It prints "ready" on stdout once the service is on the bus.

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QFile>
#include <QSet>
#include <QStringList>

#include "fake_service.h"

namespace {

const QString kName = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");

class FakePortal : public QDBusVirtualObject {
 public:
  explicit FakePortal(QFile& log) : log_(log) {}

  QString introspect(const QString&) const override { return {}; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.type() != QDBusMessage::MethodCallMessage) return false;
    QStringList fields{message.member()};
    QDBusMessage reply = message.createErrorReply(
        QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"), QStringLiteral("not offered"));
    const QList<QVariant> args = message.arguments();
    if (message.path() == kPath && message.interface() == "org.freedesktop.portal.Inhibit" &&
        message.member() == "Inhibit" && message.signature() == "sua{sv}") {
      const QVariantMap options = qdbus_cast<QVariantMap>(args[2]);
      QString sender = message.service().mid(1);
      sender.replace('.', '_');
      const QString handle = kPath + "/request/" + sender + "/" +
                             options.value("handle_token", QStringLiteral("unnamed")).toString();
      holds_.insert(handle);
      fields << args[0].toString() << QString::number(args[1].toUInt())
             << options.value("reason").toString() << handle;
      reply = message.createReply(QVariant::fromValue(QDBusObjectPath(handle)));
    } else if (message.interface() == "org.freedesktop.portal.Request" &&
               message.member() == "Close") {
      fields << message.path();
      if (holds_.remove(message.path())) {
        reply = message.createReply();
      } else {
        reply = message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
                                         QStringLiteral("no such request"));
      }
    } else {
      fields << message.path();
    }
    fake_service::LogAndAnswer(log_, fields, connection, reply);
    return true;
  }

 private:
  QFile& log_;
  QSet<QString> holds_;
};

}  // namespace

int main(int argc, char* argv[]) {
  return fake_service::Run<FakePortal>(argc, argv, "fake_portal", kName, kPath,
                                       QDBusConnection::SubPath);
}
