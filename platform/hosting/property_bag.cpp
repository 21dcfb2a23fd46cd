#include "platform/hosting/property_bag.h"

#include "platform/support/ascii.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <system_error>
#include <utility>

// Details of the text form beyond the header's summary:
// - Each line is `Name = value`; a name is a letter or underscore followed by letters, digits
//   and underscores. Blank lines and lines starting with ' are skipped, as is any line without
//   '=' or with an unusable name. A later line for the same name replaces the earlier one.
// - Whole numbers: an optional sign and decimal digits, or &H with 1 or more hexadecimal digits
//   and an optional trailing &, read as 32 bits in two's complement (&H8000000F& is negative).
//   Anything outside the 32-bit range is malformed. Numbers from -65535 to 65535 are written
//   in decimal, others as &H followed by 8 digits and & so that colours read as colours.
// - Booleans: True or False in any case, or the numbers -1 and 0. Written as True and False.
// - Strings: quoted runs ("" inside for a quote) and character codes #N (0 to 255) placed side
//   by side, so that line breaks survive the line-based form: "One" #10 "Two".
// - Fonts: a string, the size in points (a decimal number above 0 and at most 4096), then the
//   words bold and italic in any order and case.
// - Pictures: Nothing or an empty value for none; picture:NAME for a picture the bag was given;
//   bitmap:WxH:PIXELS or bitmap:WxH:PWxPH:PIXELS inline, PWxPH being the physical size in
//   HIMETRIC units when the picture has one, each side at most 4096 pixels. A picture that the
//   form cannot hold (an inconsistent or oversized bitmap) is written as Nothing.

namespace starquill {

namespace {

constexpr int kMaxBitmapSide = 4096;
constexpr double kMaxFontPoints = 4096;
constexpr int32_t kDecimalLimit = 65535;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}
int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  const char l = AsciiLower(c);
  if (l >= 'a' && l <= 'f') return l - 'a' + 10;
  return -1;
}

bool SameName(std::string_view a, std::string_view b) {
  return EqualsIgnoringCase(a, b);
}
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsSpace(s.front()))
    s.remove_prefix(1);
  return s;
}
std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsSpace(s.back()))
    s.remove_suffix(1);
  return s;
}

// Removes and returns the text up to the next blank.
std::string_view TakeWord(std::string_view& s) {
  s = TrimLeft(s);
  size_t end = 0;
  while (end < s.size() && !IsSpace(s[end]))
    ++end;
  const std::string_view word = s.substr(0, end);
  s.remove_prefix(end);
  return word;
}

bool ValidPropertyName(std::string_view name) {
  if (name.empty() || !(IsLetter(name[0]) || name[0] == '_')) return false;
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return IsLetter(c) || IsDigit(c) || c == '_'; });
}
bool ValidPictureName(std::string_view name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '.' || c == '-';
  });
}

// --- Whole numbers and booleans -----------------------------------------------------------

std::optional<int32_t> ParseInt(std::string_view s) {
  if (s.size() >= 2 && s[0] == '&' && AsciiLower(s[1]) == 'h') {
    s.remove_prefix(2);
    if (!s.empty() && s.back() == '&') s.remove_suffix(1);
    if (s.empty()) return std::nullopt;
    uint64_t v = 0;
    for (char c : s) {
      const int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      v = v * 16 + static_cast<uint64_t>(d);
      if (v > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(v));  // two's complement
  }
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  int64_t v = 0;
  for (char c : s) {
    if (!IsDigit(c)) return std::nullopt;
    v = v * 10 + (c - '0');
    if (v > int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(v);
}

// Plain decimal digits, at most `max`.
std::optional<int32_t> ParseCount(std::string_view s, int32_t max) {
  if (s.empty()) return std::nullopt;
  int64_t v = 0;
  for (char c : s) {
    if (!IsDigit(c)) return std::nullopt;
    v = v * 10 + (c - '0');
    if (v > max) return std::nullopt;
  }
  return static_cast<int32_t>(v);
}

std::string IntText(int32_t value) {
  if (value >= -kDecimalLimit && value <= kDecimalLimit) return std::to_string(value);
  char text[16];
  std::snprintf(text, sizeof text, "&H%08X&", static_cast<unsigned>(static_cast<uint32_t>(value)));
  return text;
}

std::optional<bool> ParseBool(std::string_view s) {
  if (SameName(s, "True")) return true;
  if (SameName(s, "False")) return false;
  const std::optional<int32_t> n = ParseInt(s);
  if (n == -1) return true;
  if (n == 0) return false;
  return std::nullopt;
}

// --- Strings ------------------------------------------------------------------------------

// Removes a string from the front of s: quoted runs and #N codes, side by side.
std::optional<std::string> TakeString(std::string_view& s) {
  std::string out;
  bool any = false;
  for (;;) {
    s = TrimLeft(s);
    if (!s.empty() && s[0] == '"') {
      size_t i = 1;
      for (;;) {
        if (i >= s.size()) return std::nullopt;  // unterminated
        if (s[i] == '"') {
          if (i + 1 < s.size() && s[i + 1] == '"') {
            out += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += s[i++];
      }
      s.remove_prefix(i);
    } else if (!s.empty() && s[0] == '#') {
      size_t i = 1;
      while (i < s.size() && IsDigit(s[i]))
        ++i;
      const std::optional<int32_t> code = ParseCount(s.substr(1, i - 1), 255);
      if (!code) return std::nullopt;
      out += static_cast<char>(static_cast<unsigned char>(*code));
      s.remove_prefix(i);
    } else {
      break;
    }
    any = true;
  }
  if (!any) return std::nullopt;
  return out;
}

std::optional<std::string> ParseString(std::string_view s) {
  std::optional<std::string> value = TakeString(s);
  if (!value || !Trim(s).empty()) return std::nullopt;
  return value;
}

std::string StringText(std::string_view value) {
  std::string out;
  bool open = false;
  for (char c : value) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      if (open) out += '"';
      open = false;
      if (!out.empty()) out += ' ';
      out += '#';
      out += std::to_string(u);
      continue;
    }
    if (!open) {
      if (!out.empty()) out += ' ';
      out += '"';
      open = true;
    }
    if (c == '"') out += '"';
    out += c;
  }
  if (open) out += '"';
  return out.empty() ? "\"\"" : out;
}

// --- Fonts --------------------------------------------------------------------------------

std::optional<FontSpec> ParseFont(std::string_view s) {
  FontSpec font;
  std::optional<std::string> name = TakeString(s);
  if (!name) return std::nullopt;
  font.name = std::move(*name);
  const std::string_view size = TakeWord(s);
  double points = 0;
  const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), points);
  if (error != std::errc{} || end != size.data() + size.size() ||
      !(points > 0 && points <= kMaxFontPoints)) {
    return std::nullopt;
  }
  font.size = points;
  font.bold = font.italic = false;
  for (std::string_view word = TakeWord(s); !word.empty(); word = TakeWord(s)) {
    if (SameName(word, "bold")) {
      font.bold = true;
    } else if (SameName(word, "italic")) {
      font.italic = true;
    } else {
      return std::nullopt;
    }
  }
  return font;
}

std::string FontText(const FontSpec& font) {
  char size[64];
  const auto result = std::to_chars(size, size + sizeof size, font.size);  // shortest exact
  std::string out = StringText(font.name) + ' ' + std::string(size, result.ptr);
  if (font.bold) out += " bold";
  if (font.italic) out += " italic";
  return out;
}

// --- Pictures -----------------------------------------------------------------------------

// WxH, each side a plain decimal number up to max.
bool ParseSize(std::string_view s, int32_t max, int& width, int& height) {
  const size_t x = s.find_first_of("xX");
  if (x == std::string_view::npos) return false;
  const std::optional<int32_t> w = ParseCount(s.substr(0, x), max);
  const std::optional<int32_t> h = ParseCount(s.substr(x + 1), max);
  if (!w || !h) return false;
  width = *w;
  height = *h;
  return true;
}

std::optional<PictureRef> ParseBitmap(std::string_view s) {
  auto bitmap = std::make_shared<Bitmap>();
  const size_t first = s.find(':');
  if (first == std::string_view::npos ||
      !ParseSize(s.substr(0, first), kMaxBitmapSide, bitmap->width, bitmap->height)) {
    return std::nullopt;
  }
  s.remove_prefix(first + 1);
  const size_t second = s.find(':');
  if (second != std::string_view::npos) {
    if (!ParseSize(s.substr(0, second), INT32_MAX, bitmap->himetric_width,
                   bitmap->himetric_height)) {
      return std::nullopt;
    }
    s.remove_prefix(second + 1);
  }
  // Checked before anything is allocated: the text must hold every pixel.
  const size_t count = static_cast<size_t>(bitmap->width) * static_cast<size_t>(bitmap->height);
  if (s.size() != count * 8) return std::nullopt;
  bitmap->pixels.resize(count);
  for (size_t i = 0; i < count; ++i) {
    uint32_t pixel = 0;
    for (size_t k = 0; k < 8; ++k) {
      const int d = HexDigit(s[i * 8 + k]);
      if (d < 0) return std::nullopt;
      pixel = pixel << 4 | static_cast<uint32_t>(d);
    }
    bitmap->pixels[i] = pixel;
  }
  return PictureRef(std::move(bitmap));
}

// Reads a picture's text form; `named` finds the pictures the bag was given by name.
template <typename Named>
std::optional<PictureRef> ParsePicture(std::string_view s, Named named) {
  if (s.empty() || SameName(s, "Nothing")) return PictureRef{};
  if (StartsWithNoCase(s, "picture:")) {
    PictureRef picture = named(s.substr(8));
    if (!picture) return std::nullopt;
    return picture;
  }
  if (StartsWithNoCase(s, "bitmap:")) return ParseBitmap(s.substr(7));
  return std::nullopt;
}

// A picture the bag has no name for: inline.
std::string BitmapText(const PictureRef& picture) {
  if (!picture) return "Nothing";
  const Bitmap& b = *picture;
  if (!b.Valid() || b.width > kMaxBitmapSide || b.height > kMaxBitmapSide) return "Nothing";
  std::string out = "bitmap:" + std::to_string(b.width) + 'x' + std::to_string(b.height) + ':';
  if (b.himetric_width > 0 || b.himetric_height > 0) {
    // A side of 0 or less means the pixel size either way.
    out += std::to_string(std::max(b.himetric_width, 0)) + 'x' +
           std::to_string(std::max(b.himetric_height, 0)) + ':';
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  const size_t start = out.size();
  out.resize(start + b.pixels.size() * 8);
  char* p = out.data() + start;
  for (uint32_t pixel : b.pixels) {
    for (int shift = 28; shift >= 0; shift -= 4)
      *p++ = kHex[(pixel >> shift) & 0xF];
  }
  return out;
}

}  // namespace

// --- The bag ------------------------------------------------------------------------------

PropertyBag PropertyBag::Parse(std::string_view text) {
  PropertyBag bag;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a UTF-8 byte order mark
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty() || line[0] == '\'') continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = Trim(line.substr(0, equals));
    if (!ValidPropertyName(name)) continue;
    bag.Store(name, std::string(Trim(line.substr(equals + 1))));
  }
  return bag;
}

std::string PropertyBag::Text() const {
  std::string out;
  for (const auto& [name, value] : entries_) {
    out += name;
    out += value.empty() ? " =" : " = ";
    out += value;
    out += '\n';
  }
  return out;
}

bool PropertyBag::ReadProperty(std::string_view name, bool defaultValue) const {
  const std::string* text = Find(name);
  return text ? ParseBool(*text).value_or(defaultValue) : defaultValue;
}

int32_t PropertyBag::ReadProperty(std::string_view name, int32_t defaultValue) const {
  const std::string* text = Find(name);
  return text ? ParseInt(*text).value_or(defaultValue) : defaultValue;
}

std::string PropertyBag::ReadProperty(std::string_view name,
                                      const std::string& defaultValue) const {
  const std::string* text = Find(name);
  if (!text) return defaultValue;
  std::optional<std::string> value = ParseString(*text);
  return value ? std::move(*value) : defaultValue;
}

std::string PropertyBag::ReadProperty(std::string_view name, const char* defaultValue) const {
  return ReadProperty(name, std::string(defaultValue ? defaultValue : ""));
}

FontSpec PropertyBag::ReadProperty(std::string_view name, const FontSpec& defaultValue) const {
  const std::string* text = Find(name);
  if (!text) return defaultValue;
  std::optional<FontSpec> value = ParseFont(*text);
  return value ? std::move(*value) : defaultValue;
}

PictureRef PropertyBag::ReadProperty(std::string_view name, const PictureRef& defaultValue) const {
  const std::string* text = Find(name);
  if (!text) return defaultValue;
  std::optional<PictureRef> value =
      ParsePicture(*text, [this](std::string_view picture) { return FindPicture(picture); });
  return value ? std::move(*value) : defaultValue;
}

void PropertyBag::WriteProperty(std::string_view name, bool value) {
  Store(name, value ? "True" : "False");
}
void PropertyBag::WriteProperty(std::string_view name, int32_t value) {
  Store(name, IntText(value));
}
void PropertyBag::WriteProperty(std::string_view name, const std::string& value) {
  Store(name, StringText(value));
}
void PropertyBag::WriteProperty(std::string_view name, const FontSpec& value) {
  Store(name, FontText(value));
}
void PropertyBag::WriteProperty(std::string_view name, const PictureRef& value) {
  Store(name, PictureText(value));
}

bool PropertyBag::Contains(std::string_view name) const {
  return Find(name) != nullptr;
}

std::vector<std::string> PropertyBag::Names() const {
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const auto& entry : entries_)
    names.push_back(entry.first);
  return names;
}

// A name the text form could not hold is not stored: the bag always equals its text form.
// Replacing keeps the entry's place and takes the new spelling of the name.
void PropertyBag::Store(std::string_view name, std::string text) {
  if (!ValidPropertyName(name)) return;
  for (auto& entry : entries_) {
    if (SameName(entry.first, name)) {
      entry.first = std::string(name);
      entry.second = std::move(text);
      return;
    }
  }
  entries_.emplace_back(std::string(name), std::move(text));
}

void PropertyBag::Remove(std::string_view name) {
  std::erase_if(entries_, [name](const auto& entry) { return SameName(entry.first, name); });
}

const std::string* PropertyBag::Find(std::string_view name) const {
  for (const auto& entry : entries_) {
    if (SameName(entry.first, name)) return &entry.second;
  }
  return nullptr;
}

void PropertyBag::AddPicture(std::string_view name, PictureRef picture) {
  if (!ValidPictureName(name)) return;
  std::erase_if(pictures_, [name](const auto& entry) { return SameName(entry.first, name); });
  if (picture) pictures_.emplace_back(std::string(name), std::move(picture));
}

PictureRef PropertyBag::FindPicture(std::string_view name) const {
  for (const auto& [known, picture] : pictures_) {
    if (SameName(known, name)) return picture;
  }
  return nullptr;
}

std::string PropertyBag::PictureText(const PictureRef& picture) const {
  for (const auto& [name, known] : pictures_) {
    if (known == picture) return "picture:" + name;
  }
  return BitmapText(picture);
}

}  // namespace starquill
