#include "platform/drawing/pixel_art.h"

#include <array>
#include <cstdint>
#include <optional>

namespace starquill {
namespace {

// The next line of `text` from `pos` (without its '\n'), with trailing whitespace removed.
std::string_view NextLine(std::string_view text, size_t& pos) {
  const size_t end = text.find('\n', pos);
  std::string_view line =
      text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
  pos = end == std::string_view::npos ? text.size() : end + 1;
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
    line.remove_suffix(1);
  return line;
}

std::optional<uint32_t> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
  return std::nullopt;
}

// "#RRGGBB" as an opaque 0xAABBGGRR pixel.
std::optional<uint32_t> ParseColor(std::string_view hex) {
  if (hex.size() != 7 || hex[0] != '#') return std::nullopt;
  std::array<uint32_t, 3> channels{};  // R, G, B
  for (size_t i = 0; i < channels.size(); ++i) {
    const auto high = HexDigit(hex[1 + 2 * i]);
    const auto low = HexDigit(hex[2 + 2 * i]);
    if (!high || !low) return std::nullopt;
    channels[i] = *high * 16 + *low;
  }
  return 0xFF000000u | channels[2] << 16 | channels[1] << 8 | channels[0];
}

bool IsPaletteKey(char c) {
  return c > ' ' && c <= '~' && c != '.' && c != ';';
}

}  // namespace

Bitmap ParsePixelArt(std::string_view text, int size) {
  if (size < 1) return {};
  // Pixel value per character; keys not in the palette stay unset.
  std::array<std::optional<uint32_t>, 256> colors{};
  colors[static_cast<unsigned char>('.')] = 0u;
  int palette_size = 0;

  Bitmap picture;
  picture.pixels.reserve(static_cast<size_t>(size) * static_cast<size_t>(size));
  int rows = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    const std::string_view line = NextLine(text, pos);
    if (line.empty() || line[0] == ';') continue;
    // Palette entries come first; the first line that is not one starts the rows.
    if (rows == 0 && line.size() >= 2 && line[1] == ' ') {
      const char key = line[0];
      const auto color = ParseColor(line.substr(2));
      auto& slot = colors[static_cast<unsigned char>(key)];
      if (!IsPaletteKey(key) || slot || !color || ++palette_size > kPixelArtMaxColors) return {};
      slot = color;
      continue;
    }
    if (rows == size || line.size() != static_cast<size_t>(size)) return {};
    for (const char c : line) {
      const auto& pixel = colors[static_cast<unsigned char>(c)];
      if (!pixel) return {};
      picture.pixels.push_back(*pixel);
    }
    ++rows;
  }
  if (rows != size) return {};
  picture.width = size;
  picture.height = size;
  return picture;
}

}  // namespace starquill
