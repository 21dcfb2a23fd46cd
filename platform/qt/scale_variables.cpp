#include "platform/qt/scale_variables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/support/printable.h"

namespace starquill {
namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r";

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

constexpr size_t kMaxShown = 60;  // characters of a value shown in the message

}  // namespace

bool IsSensibleScale(std::string_view text) {
  text = Trimmed(text);
  if (text.starts_with('+')) text.remove_prefix(1);
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && std::isfinite(value) &&
         value >= kMinScaleVariable && value <= kMaxScaleVariable;
}

bool AreSensibleScreenScales(std::string_view list) {
  while (!list.empty()) {
    const size_t end = std::min(list.find(';'), list.size());
    const std::string_view entry = list.substr(0, end);
    list.remove_prefix(std::min(end + 1, list.size()));
    if (Trimmed(entry).empty()) continue;
    const size_t named = entry.rfind('=');
    if (!IsSensibleScale(named == std::string_view::npos ? entry : entry.substr(named + 1))) {
      return false;
    }
  }
  return true;
}

void DropSenselessScaleVariables(std::FILE* out) {
  const auto check = [out](const char* name, bool (*sensible)(std::string_view)) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0' || sensible(value)) return;
    std::fprintf(out, "starquill: ignoring %s=%s: a scale must be a number from 0.1 to 10\n", name,
                 Printable(value, kMaxShown).c_str());
    unsetenv(name);
  };
  check("QT_SCALE_FACTOR", &IsSensibleScale);
  check("QT_SCREEN_SCALE_FACTORS", &AreSensibleScreenScales);
  std::fflush(out);
}

}  // namespace starquill
