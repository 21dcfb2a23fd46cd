#pragma once
// Pixel art written as text: the program's icon is kept this way (art/starquill-icon.txt) and
// compiled in.
//
// The text is a palette of at most 16 entries, one a line, "X #RRGGBB" (X one printable
// character other than space, '.' and ';'), then exactly `size` rows of exactly `size`
// characters (32 for the program's icon), each a palette entry or '.' for a transparent pixel.
// Lines starting with ';' are comments; blank lines and trailing whitespace (including a '\r' of
// CRLF line ends) are ignored.

#include <string_view>

#include "platform/drawing/bitmap.h"

namespace starquill {

inline constexpr int kPixelArtSize = 32;
inline constexpr int kPixelArtMaxColors = 16;

// The picture the text describes: palette colours opaque (alpha 255), '.' fully transparent
// (0x00000000), physical size left at 0 (its pixels at 96 DPI). Any fault anywhere in the
// text (a malformed palette entry or hex colour, a repeated or reserved key, more than 16
// entries, an unknown character in a row, a short or long row, too few or too many rows, a
// size below 1) makes the whole text malformed: the result is then an empty Bitmap (0 x 0, no
// pixels). Small icon sizes have art of their own, hence `size`.
Bitmap ParsePixelArt(std::string_view text, int size = kPixelArtSize);

}  // namespace starquill
