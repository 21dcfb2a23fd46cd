#include "platform/support/printable.h"

#include <cstdint>

namespace starquill {
namespace {

// The length of the UTF-8 sequence of a printable character at the start of the text, or 0
// for a control character, a byte that starts no valid sequence, or a cut-off one.
size_t PrintableSequence(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return lead >= 0x20 && lead != 0x7F ? 1 : 0;
  size_t length = 0;
  uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool valid = code >= kSmallest[length] && code <= 0x10FFFF &&
                     !(code >= 0xD800 && code <= 0xDFFF);  // no overlong forms, no surrogates
  const bool control = code >= 0x80 && code <= 0x9F;
  return valid && !control ? length : 0;
}

}  // namespace

std::string Printable(std::string_view text, size_t limit) {
  std::string shown;
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++characters) {
    if (characters == limit) return shown.append("...");
    if (const size_t length = PrintableSequence(text.substr(i))) {
      shown.append(text.substr(i, length));
      i += length;
      continue;
    }
    const unsigned char byte = static_cast<unsigned char>(text[i++]);
    switch (byte) {
      case '\n':
        shown += "\\n";
        break;
      case '\t':
        shown += "\\t";
        break;
      case '\r':
        shown += "\\r";
        break;
      default: {
        constexpr char kHex[] = "0123456789abcdef";
        shown += "\\x";
        shown += kHex[byte >> 4];
        shown += kHex[byte & 15];
      }
    }
  }
  return shown;
}

}  // namespace starquill
