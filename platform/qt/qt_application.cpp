#include "platform/qt/qt_application.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/qt_messages.h"
#include "platform/qt/scale_variables.h"
#include "platform/support/printable.h"

namespace starquill {
namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

// Qt's messages while the application starts: shown once it has started, or summed up in one
// line when it cannot.
QList<HeldMessage>& Held() {
  static QList<HeldMessage> held;
  return held;
}

void HoldWhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    Held().append({type, QByteArray(context.category), text});
    return;
  }
  // The only fatal message while the application starts is that no platform could be opened;
  // the reason is in the first message before it (for example "could not connect to display").
  QString reason = Held().isEmpty() ? text.section(QLatin1Char('\n'), 0, 0) : Held().first().text;
  reason = reason.trimmed();
  if (reason.endsWith(QLatin1String("display")) && qEnvironmentVariableIsEmpty("DISPLAY")) {
    reason += QLatin1String(" (DISPLAY is not set)");
  }
  // The reason may name a platform or display from the command line or the environment.
  std::fprintf(stderr, "starquill: cannot open a display: %s\n",
               Printable(reason.toStdString()).c_str());
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv, bool verbose) {
  DropSenselessScaleVariables(stderr);
  qInstallMessageHandler(&HoldWhileStarting);
  auto application = std::make_unique<QApplication>(argc, argv);
  // Started: what Qt had to say goes out, and from now on all it says.
  PrintQtMessages(verbose);
  for (const HeldMessage& message : Held()) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
    qt_message_output(message.type, context, message.text);
  }
  Held().clear();
  return application;
}

}  // namespace starquill
