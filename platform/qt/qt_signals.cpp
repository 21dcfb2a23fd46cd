#include "platform/qt/qt_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <utility>

namespace starquill {
namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// The pipe's writing end, for the handler: a signal handler can reach nothing but globals.
volatile sig_atomic_t g_write_end = -1;

void WriteToPipe(int) {
  const int saved = errno;
  const char byte = 1;
  // Full pipe: a byte is already waiting, which is all the loop needs.
  [[maybe_unused]] const ssize_t written = write(g_write_end, &byte, 1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> ended) : ended_(std::move(ended)) {
  if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;  // signals keep their default: death
  g_write_end = pipe_[1];
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    char bytes[16];
    while (read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    if (auto ended = std::exchange(ended_, nullptr)) ended();
  });
  struct sigaction action = {};
  action.sa_handler = &WriteToPipe;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals)
    sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  if (pipe_[0] < 0) return;
  for (int signal : kSignals)
    std::signal(signal, SIG_DFL);
  g_write_end = -1;
  notifier_.reset();
  close(pipe_[0]);
  close(pipe_[1]);
}

}  // namespace starquill
