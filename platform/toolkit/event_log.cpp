#include "platform/toolkit/event_log.h"

#include <syslog.h>

#include <string>

namespace starquill {

void LogErrorEvent(std::string_view text) {
  const std::string entry(text);
  openlog("starquill", LOG_PID, LOG_USER);
  syslog(LOG_ERR, "%s", entry.c_str());
  closelog();
}

}  // namespace starquill
