#pragma once
// The signals that ask a program to end (SIGTERM from a screen saver or a session, SIGINT from a
// terminal, SIGHUP when the terminal goes), handled on Qt's event loop like any other event.

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace starquill {

class TerminationSignals {
 public:
  // From now on SIGTERM, SIGINT and SIGHUP run `ended` on the event loop, once. The signal
  // handler itself only writes a byte into a pipe (nothing else is safe there); the loop reads it.
  explicit TerminationSignals(std::function<void()> ended);
  // The default handlers come back.
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 private:
  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> ended_;
};

}  // namespace starquill
