// Starquill: a fireworks show for the desktop.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/ways_to_run.h"
#include "platform/support/standard_streams.h"

namespace {

// Writes the text to stdout; a write error (a full disk, a closed stdout) is reported in one
// line on stderr and gives status 1, as for any program whose output is its result.
int Answer(const std::string& text, bool stdoutClosed) {
  errno = 0;
  if (!stdoutClosed && std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0) {
    return 0;
  }
  const int error = stdoutClosed ? EBADF : errno != 0 ? errno : EIO;
  std::fprintf(stderr, "starquill: cannot write to standard output: %s\n", std::strerror(error));
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Before anything opens a file: a stream that is closed would be taken by the next one.
  const bool stdoutClosed = starquill::OpenMissingStandardStreams()[1];
  // Help, version and mistakes are answered before any display is needed.
  const std::vector<std::string_view> args(argv + std::min(argc, 1), argv + argc);
  const starquill::CommandLine command = starquill::ParseCommandLine(args);
  switch (command.action) {
    case starquill::CommandLine::Action::Help:
      return Answer(starquill::UsageText(), stdoutClosed);
    case starquill::CommandLine::Action::Version:
      return Answer(starquill::VersionText(), stdoutClosed);
    case starquill::CommandLine::Action::Error:
      std::fprintf(stderr, "starquill: %s\n%s\n", command.error.c_str(),
                   std::string(starquill::kUsageHint).c_str());
      return 2;
    case starquill::CommandLine::Action::Run:
      break;
  }
  const starquill::RunOptions& options = command.run;
  // The toolkit reads its own options, in the form it knows; ours are not its business.
  std::vector<std::string> toolkitArgs{argc > 0 ? argv[0] : "starquill"};
  toolkitArgs.insert(toolkitArgs.end(), command.toolkitArgs.begin(), command.toolkitArgs.end());
  switch (starquill::WayOf(options)) {
    case starquill::WayToRun::Recording:
      return starquill::RunRecording(options);
    case starquill::WayToRun::ScreenSaver:
      return starquill::RunAsScreenSaver(options, std::move(toolkitArgs));
    case starquill::WayToRun::Desktop:
    case starquill::WayToRun::Show:
      break;
  }
  return starquill::RunOnTheDesktop(options, std::move(toolkitArgs));
}
