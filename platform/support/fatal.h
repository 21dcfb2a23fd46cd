#pragma once
// Fatal run-time errors: integer overflow, division by zero and the like stop the program with
// a clear message instead of running on with undefined behaviour.

#include <functional>
#include <string_view>

namespace starquill {

// Called with the message ("fatal run-time error: <what>") before the program stops; the
// desktop program shows it in a box.
// Setting a reporter returns the one it replaces, so that its owner can put that back.
using FatalReporter = std::function<void(std::string_view message)>;
FatalReporter SetFatalReporter(FatalReporter reporter);

// Writes "starquill: fatal run-time error: <what>" to stderr, lets the reporter show it and
// ends the process with exit status 70.
[[noreturn]] void FatalError(std::string_view what);

}  // namespace starquill
