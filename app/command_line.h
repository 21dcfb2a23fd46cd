#pragma once
// What the command line asks of the program. It takes no arguments of its own beyond help and
// version; the windowing toolkit's own options (-platform NAME, -display DISPLAY and the like)
// are let through for the toolkit to read.

#include <span>
#include <string>
#include <string_view>

namespace starquill {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::string error;  // for Error: what was wrong, in one line
};

// Reads the arguments (without the program's name). The first help, version or error found
// decides.
CommandLine ParseCommandLine(std::span<const std::string_view> args);

// The usage text for --help, and the line for --version.
std::string UsageText();
std::string VersionText();
// The hint printed after an error.
inline constexpr std::string_view kUsageHint = "Try 'starquill --help' for more information.";

}  // namespace starquill
