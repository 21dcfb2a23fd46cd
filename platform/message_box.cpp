#include "platform/message_box.h"

#include <syslog.h>

#include <cstdio>
#include <string>

#include "platform/event_log.h"

namespace starquill {
namespace {
MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}
EventLogSink& Sink() {
  static EventLogSink sink;
  return sink;
}
}  // namespace

void ShowMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title) {
  if (const MessageBoxHandler handler = Handler()) {
    handler(prompt, icon, title);
    return;
  }
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
               static_cast<int>(prompt.size()), prompt.data());
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  MessageBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

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
