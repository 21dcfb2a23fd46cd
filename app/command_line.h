#pragma once
// What the command line asks of the program: help, version, or a run with its options. The
// windowing toolkit's own options (-platform NAME, -display DISPLAY and the like) are let
// through for the toolkit to read.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_options.h"
#include "platform/support/printable.h"

namespace starquill {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::string error;  // for Error: what was wrong, in one printable line
  RunOptions run;     // for Run
  // For Run: the toolkit's own options, each name and value a separate argument (as the
  // toolkit reads them: "-platform=offscreen" becomes "-platform" "offscreen").
  std::vector<std::string> toolkitArgs;
};

// Reads the arguments (without the program's name). The first help, version or error found
// decides. Options take one dash or two, and a value either as the next argument or after '='.
CommandLine ParseCommandLine(std::span<const std::string_view> args);

// A window id as X11 programs write it: decimal, or hexadecimal after 0x; 0 names no window.
std::optional<uint32_t> ParseWindowId(std::string_view text);

// The usage text for --help, and the line for --version.
std::string UsageText();
std::string VersionText();
// The hint printed after an error.
inline constexpr std::string_view kUsageHint = "Try 'starquill --help' for more information.";

}  // namespace starquill
