#pragma once
// Text from the command line or the environment as a message may show it: control characters
// and bytes that are not UTF-8 escaped (\n, \x1b, ...), and cut after `limit` characters
// with "...".

#include <cstddef>
#include <string>
#include <string_view>

namespace starquill {

std::string Printable(std::string_view text, size_t limit = 200);

}  // namespace starquill
