#include "platform/support/stop_signals.h"

#include <array>
#include <csignal>
#include <cstdlib>

namespace starquill {
namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};
volatile sig_atomic_t g_stop = 0;  // a signal handler can reach nothing but globals

void Note(int signal) {
  if (g_stop == 0) g_stop = signal;
}

}  // namespace

void HandleStopSignals(void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals)
    sigaction(signal, &action, nullptr);
}

void DefaultStopSignals() {
  for (int signal : kSignals)
    std::signal(signal, SIG_DFL);
}

StopSignals::StopSignals() {
  HandleStopSignals(&Note);
}

StopSignals::~StopSignals() {
  DefaultStopSignals();
}

std::optional<int> StopSignals::Received() const {
  const int signal = g_stop;
  return signal != 0 ? std::optional<int>(signal) : std::nullopt;
}

void EndBySignal(int signal) {
  std::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
  std::_Exit(128 + signal);  // a signal whose default is not to end (none of ours)
}

}  // namespace starquill
