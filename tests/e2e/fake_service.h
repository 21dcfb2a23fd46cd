#pragma once
// What the end-to-end tests' fake desktop services share: each call logged as one line of
// tab-separated fields before its answer leaves (a caller that has its answer finds its call in
// the log), and a main that offers the service on the session bus and says "ready".

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace fake_service {

inline void LogAndAnswer(QFile& log, const QStringList& fields, const QDBusConnection& connection,
                         const QDBusMessage& reply) {
  QTextStream(&log) << fields.join(QChar('\t')) << '\n';
  log.flush();
  connection.send(reply);
}

// Usage: PROGRAM LOG_FILE. Service is a QDBusVirtualObject made from the log file.
template <typename Service>
int Run(int argc, char* argv[], const char* program, const QString& name, const QString& path,
        QDBusConnection::VirtualObjectRegisterOption option = QDBusConnection::SingleNode) {
  QCoreApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s LOG_FILE\n", program);
    return 2;
  }
  QFile log(QString::fromLocal8Bit(argv[1]));
  if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
    std::fprintf(stderr, "%s: cannot write %s\n", program, argv[1]);
    return 1;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  Service service(log);
  if (!bus.registerVirtualObject(path, &service, option) || !bus.registerService(name)) {
    std::fprintf(stderr, "%s: cannot offer the service: %s\n", program,
                 qUtf8Printable(bus.lastError().message()));
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  return QCoreApplication::exec();
}

}  // namespace fake_service
