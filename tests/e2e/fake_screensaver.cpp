// A stand-in for the desktop's screen saver service, for the end-to-end tests: it owns
// org.freedesktop.ScreenSaver on the session bus, answers Inhibit with a new cookie and
// UnInhibit with nothing, and writes every call it receives to the log file, one line each,
// fields separated by tabs:
//   Inhibit <application name> <reason> <cookie>
//   UnInhibit <cookie>
//   <any other method> (answered with an error)
// It prints "ready" on stdout once the service is on the bus.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

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
    // Logged before the answer leaves: a caller that has its answer finds its call in the log.
    QTextStream(&log_) << fields.join(QChar('\t')) << '\n';
    log_.flush();
    connection.send(reply);
    return true;
  }

 private:
  QFile& log_;
  uint next_cookie_ = 4711;
};

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: fake_screensaver LOG_FILE\n");
    return 2;
  }
  QFile log(QString::fromLocal8Bit(argv[1]));
  if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
    std::fprintf(stderr, "fake_screensaver: cannot write %s\n", argv[1]);
    return 1;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  FakeScreenSaver service(log);
  if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &service) ||
      !bus.registerService(kName)) {
    std::fprintf(stderr, "fake_screensaver: cannot offer the service: %s\n",
                 qUtf8Printable(bus.lastError().message()));
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  return QCoreApplication::exec();
}
