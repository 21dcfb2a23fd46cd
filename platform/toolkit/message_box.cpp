#include "platform/toolkit/message_box.h"

#include <cstdio>
#include <string>

namespace starquill {
namespace {
MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
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

}  // namespace starquill
