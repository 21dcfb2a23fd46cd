#include "platform/qt/qt_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>

#include "platform/support/printable.h"

namespace starquill {
namespace {

// Qt's lines are long (a list of plugins); cut only what is absurd.
constexpr size_t kLongestLine = 400;

bool g_verbose = false;

void Print(QtMsgType, const QMessageLogContext& context, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  const std::string shown = ShownQtMessage(context.category ? context.category : "",
                                           {utf8.constData(), size_t(utf8.size())}, g_verbose);
  std::fputs(shown.c_str(), stderr);
}

}  // namespace

std::string ShownQtMessage(std::string_view category, std::string_view text, bool verbose) {
  // Qt runs without a runtime folder all the same; a daemon's environment often has none.
  if (!verbose && text.find("XDG_RUNTIME_DIR") != std::string_view::npos) return {};
  std::string shown;
  if (!category.empty() && category != "default") shown = Printable(category) + ": ";
  while (true) {
    const size_t end = text.find('\n');
    shown += Printable(text.substr(0, end), kLongestLine) + '\n';
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return shown;
}

void PrintQtMessages(bool verbose) {
  g_verbose = verbose;
  qInstallMessageHandler(&Print);
}

}  // namespace starquill
