#pragma once
// The application's event log: error entries go to the system log (syslog, as "starquill").

#include <string_view>

namespace starquill {

void LogErrorEvent(std::string_view text);

}  // namespace starquill
