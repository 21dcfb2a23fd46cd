#include "platform/toolkit/event_log.h"

#include <syslog.h>

#include <string>

namespace starquill {
namespace {
EventLogSink& Sink() {
  static EventLogSink sink;
  return sink;
}
}  // namespace

void LogErrorEvent(std::string_view text) {
  if (const EventLogSink sink = Sink()) {
    sink(text);
    return;
  }
  const std::string entry(text);
  openlog("starquill", LOG_PID, LOG_USER);
  syslog(LOG_ERR, "%s", entry.c_str());
  closelog();
}

EventLogSink SetEventLogSink(EventLogSink sink) {
  EventLogSink previous = std::move(Sink());
  Sink() = std::move(sink);
  return previous;
}

}  // namespace starquill
