#include "platform/support/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace starquill {

std::array<bool, 3> OpenMissingStandardStreams() {
  std::array<bool, 3> closed{};
  for (int fd = 0; fd < 3; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    closed[static_cast<size_t>(fd)] = true;
    // The lowest free number is this one: every lower one is open by now.
    const int opened = open("/dev/null", O_RDWR);
    if (opened >= 0 && opened != fd) close(opened);
  }
  return closed;
}

}  // namespace starquill
