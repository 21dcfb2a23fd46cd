#pragma once
// The three standard streams, as a program started by a launcher or a daemon may lack them.

#include <array>

namespace starquill {

// Opens /dev/null on each of standard input, output and error that is closed. Until then the
// next file the program opens (an X or D-Bus connection) would take that number, and the first
// message written to stderr would go into it. Call it first thing, before anything opens a file.
// Tells, by descriptor number, which were closed.
std::array<bool, 3> OpenMissingStandardStreams();

}  // namespace starquill
