#pragma once
// The signals that ask a program to end (SIGTERM from a screen saver or a session, SIGINT from a
// terminal, SIGHUP when the terminal goes), handled on Qt's event loop like any other event.
// Once the program has let go of what it holds, it ends by the signal itself, as Unix programs
// do after cleaning up: its parent sees it killed by that signal.

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <optional>

#include "platform/support/stop_signals.h"

namespace starquill {

class TerminationSignals {
 public:
  // From now on SIGTERM, SIGINT and SIGHUP run `ended` on the event loop, every time one
  // comes. A signal that comes while the program is still starting (a window waits to come on
  // screen) is handled once the start is over. The signal handler itself only writes a byte
  // into a pipe (nothing else is safe there); the loop reads it.
  explicit TerminationSignals(std::function<void()> ended);
  // The default handlers come back.
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // The first of the signals that came, if any.
  std::optional<int> Received() const;

 private:
  void Deliver();

  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> ended_;
};

}  // namespace starquill
