#pragma once
// The signals that ask a program to stop (SIGTERM, SIGINT, SIGHUP) for a program without an
// event loop (a recording): they only raise a flag that the program looks at when it can.

#include <optional>

namespace starquill {

class StopSignals {
 public:
  // From now on the signals are noted instead of ending the process.
  StopSignals();
  // Their default handling comes back.
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The first of them that came, if any.
  std::optional<int> Received() const;
};

// The signals above, from now on handled by `handler` (which may do only what is safe in a
// signal handler), or back to their default.
void HandleStopSignals(void (*handler)(int));
void DefaultStopSignals();

// Ends the process by the signal's default action (for the signals above: killed by it), as
// Unix programs do once they have cleaned up after it.
[[noreturn]] void EndBySignal(int signal);

}  // namespace starquill
