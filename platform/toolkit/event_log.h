#pragma once
// The application's event log: error entries go to the system log (syslog, as "starquill").
// Tests install a recorder instead.

#include <functional>
#include <string_view>

namespace starquill {

using EventLogSink = std::function<void(std::string_view text)>;

void LogErrorEvent(std::string_view text);
// Installs a sink in place of the system log (none: the system log again); returns the old one.
EventLogSink SetEventLogSink(EventLogSink sink);

}  // namespace starquill
