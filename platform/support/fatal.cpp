#include "platform/support/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace starquill {
namespace {
FatalReporter g_reporter = nullptr;
}

void SetFatalReporter(FatalReporter reporter) {
  g_reporter = reporter;
}

void FatalError(std::string_view what) {
  const std::string message = "Starquill: fatal run-time error: " + std::string(what);
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
  // A reporter that fails again must not recurse into itself.
  if (FatalReporter reporter = g_reporter) {
    g_reporter = nullptr;
    reporter(message);
  }
  std::_Exit(70);
}

}  // namespace starquill
