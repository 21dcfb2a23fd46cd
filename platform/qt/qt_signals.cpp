#include "platform/qt/qt_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QTimer>
#include <cerrno>
#include <csignal>

#include "platform/qt/nested_events.h"

namespace starquill {
namespace {

// The pipe's writing end and the first signal, for the handler: a signal handler can reach
// nothing but globals.
volatile sig_atomic_t g_write_end = -1;
volatile sig_atomic_t g_received = 0;

void WriteToPipe(int signal) {
  const int saved = errno;
  if (g_received == 0) g_received = signal;
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
    Deliver();
  });
  HandleStopSignals(&WriteToPipe);
}

void TerminationSignals::Deliver() {
  // Ending inside a start that is still under way would leave the rest of it to run after the
  // end (the event loop, not yet running, would not even stop): the end waits for it.
  if (NestedEventDepth() > 0) {
    QTimer::singleShot(1, notifier_.get(), [this] { Deliver(); });
    return;
  }
  if (ended_) ended_();
}

TerminationSignals::~TerminationSignals() {
  if (pipe_[0] < 0) return;
  DefaultStopSignals();
  g_write_end = -1;
  notifier_.reset();
  close(pipe_[0]);
  close(pipe_[1]);
}

std::optional<int> TerminationSignals::Received() const {
  const int signal = g_received;
  return signal != 0 ? std::optional<int>(signal) : std::nullopt;
}

}  // namespace starquill
