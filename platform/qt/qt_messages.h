#pragma once
// Qt's own messages as the program prints them: every line in printable form (a platform name
// or a display from the command line or the environment reaches the terminal escaped, never
// raw), and what is only Qt's business (a session without XDG_RUNTIME_DIR) only when asked for.

#include <string>
#include <string_view>

namespace starquill {

// The lines to print for one of Qt's messages, each ended by a line feed, "category: " before
// the first as Qt prints it; empty when the message is not to be shown.
std::string ShownQtMessage(std::string_view category, std::string_view text, bool verbose);

// From now on Qt's messages go to stderr as ShownQtMessage gives them.
void PrintQtMessages(bool verbose);

}  // namespace starquill
