#include "platform/support/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace starquill {
namespace {
FatalReporter g_reporter = nullptr;
}

FatalReporter SetFatalReporter(FatalReporter reporter) {
  return std::exchange(g_reporter, std::move(reporter));
}

void FatalError(std::string_view what) {
  const std::string message = "fatal run-time error: " + std::string(what);
  std::fprintf(stderr, "starquill: %s\n", message.c_str());
  std::fflush(stderr);
  // A reporter that fails again must not recurse into itself.
  if (FatalReporter reporter = std::exchange(g_reporter, nullptr)) reporter(message);
  std::_Exit(70);
}

}  // namespace starquill
