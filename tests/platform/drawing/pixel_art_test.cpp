#include "platform/drawing/pixel_art.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "art/icon_art.h"

namespace starquill {
namespace {

uint32_t At(const Bitmap& b, int x, int y) {
  return b.pixels[static_cast<size_t>(y) * b.width + x];
}

bool IsEmpty(const Bitmap& b) {
  return b.width == 0 && b.height == 0 && b.pixels.empty();
}

// A well-formed text: `palette`, then 32 rows of `fill`, with `row` in place of row `at`.
std::string Art(const std::string& palette, char fill = '.', int at = -1,
                const std::string& row = "") {
  std::string text = palette;
  for (int y = 0; y < kPixelArtSize; ++y)
    text += (y == at ? row : std::string(kPixelArtSize, fill)) + "\n";
  return text;
}

TEST(PixelArtIcon, IsA32By32PictureOfAtMost16ColoursOnTransparency) {
  const Bitmap icon = ParsePixelArt(kStarquillIconArt);
  ASSERT_EQ(icon.width, 32);
  ASSERT_EQ(icon.height, 32);
  ASSERT_TRUE(icon.Valid());
  EXPECT_EQ(icon.himetric_width, 0);
  EXPECT_EQ(icon.himetric_height, 0);
  for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}})
    EXPECT_EQ(At(icon, x, y), 0u) << "corner " << x << "," << y;
  const std::set<uint32_t> colors(icon.pixels.begin(), icon.pixels.end());
  EXPECT_LE(colors.size(), 16u) << "colours, transparency included";
  size_t opaque = 0;
  for (const uint32_t p : icon.pixels) {
    ASSERT_TRUE(p >> 24 == 0xFF || p == 0) << std::hex << p;
    opaque += p != 0;
  }
  // A picture, not a speck or a filled square.
  EXPECT_GT(opaque, icon.pixels.size() / 4);
  EXPECT_LT(opaque, icon.pixels.size() * 3 / 4);
}

TEST(PixelArtParse, MapsKeysToOpaqueColoursAndDotToTransparent) {
  std::string row(32, '.');
  row.replace(0, 4, "Aa.Z");
  const Bitmap b = ParsePixelArt(Art("A #102030\na #fFeE0d\nZ #000000\n", '.', 5, row));
  ASSERT_EQ(b.width, 32);
  ASSERT_EQ(b.height, 32);
  ASSERT_TRUE(b.Valid());
  EXPECT_EQ(At(b, 0, 5), 0xFF302010u);
  EXPECT_EQ(At(b, 1, 5), 0xFF0DEEFFu);
  EXPECT_EQ(At(b, 2, 5), 0u);
  EXPECT_EQ(At(b, 3, 5), 0xFF000000u) << "black stays distinct from transparent";
  EXPECT_EQ(At(b, 0, 4), 0u);
  EXPECT_EQ(At(b, 0, 6), 0u);
}

TEST(PixelArtParse, SkipsCommentsBlankLinesAndLineEndWhitespace) {
  std::string text = "; a comment\n\nR #FF0000 \r\n;another\n";
  for (int y = 0; y < 32; ++y)
    text += std::string(32, y % 2 ? 'R' : '.') + (y == 3 ? "  \t\r\n" : "\r\n") +
            (y == 9 ? "\n; between rows\n" : "");
  text += "; the end, without a final line break\n\n;";
  const Bitmap b = ParsePixelArt(text);
  ASSERT_EQ(b.width, 32);
  EXPECT_EQ(At(b, 7, 0), 0u);
  EXPECT_EQ(At(b, 7, 1), 0xFF0000FFu);
  EXPECT_EQ(At(b, 31, 31), 0xFF0000FFu);
}

TEST(PixelArtParse, AcceptsSixteenColoursAndNoPaletteAtAll) {
  std::string palette;
  const std::string keys = "0123456789ABCDEF";
  for (const char k : keys)
    palette += std::string(1, k) + " #0000" + k + k + "\n";
  const Bitmap b = ParsePixelArt(Art(palette, '.', 0, keys + keys));
  ASSERT_EQ(b.width, 32);
  EXPECT_EQ(At(b, 15, 0), 0xFFFF0000u);
  EXPECT_EQ(At(b, 16, 0), 0xFF000000u);

  const Bitmap clear = ParsePixelArt(Art(""));
  ASSERT_EQ(clear.width, 32);
  EXPECT_EQ(std::set<uint32_t>(clear.pixels.begin(), clear.pixels.end()), std::set<uint32_t>{0});
}

TEST(PixelArtMalformed, AnyFaultGivesAnEmptyPicture) {
  std::string seventeen;
  for (const char k : std::string("ABCDEFGHIJKLMNOPQ"))
    seventeen += std::string(1, k) + " #123456\n";
  const std::string pal = "A #123456\n";
  std::string nul_row(32, 'A');
  nul_row[1] = '\0';
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"empty", ""},
      {"only comments", "; nothing\n;\n"},
      {"unknown character", Art(pal, 'A', 7, std::string(31, 'A') + "B")},
      {"palette entry after the rows", Art(pal, 'A') + "B #000000\n"},
      {"NUL in a row", Art(pal, 'A', 2, nul_row)},
      {"byte above 127", Art(pal, 'A', 2, std::string(31, 'A') + "\xC3")},
      {"short row", Art(pal, 'A', 31, std::string(31, 'A'))},
      {"long row", Art(pal, 'A', 0, std::string(33, 'A'))},
      {"one row too few", pal + Art("", 'A').substr(33)},
      {"one row too many", Art(pal, 'A') + std::string(32, 'A') + "\n"},
      {"17 colours", Art(seventeen, 'A')},
      {"bad hex digit", Art("A #12345G\n", 'A')},
      {"short hex", Art("A #12345\n", 'A')},
      {"long hex", Art("A #1234567\n", 'A')},
      {"missing #", Art("A 123456\n", 'A')},
      {"two spaces", Art("A  #123456\n", 'A')},
      {"repeated key", Art(pal + "A #654321\n", 'A')},
      {"dot as a key", Art(". #000000\n", '.')},
      {"space as a key", Art("  #000000\n", '.')},
      {"palette entry among the rows", Art(pal, 'A', 4, "B #000000")},
  };
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(IsEmpty(ParsePixelArt(text)));
  }
}

// Every cut of the real artwork, and random damage to it, parses safely: a valid 32 x 32
// picture or an empty one.
TEST(PixelArtMalformed, DamagedArtworkNeverBreaksTheParser) {
  const std::string art(kStarquillIconArt);
  auto check = [](const Bitmap& b) {
    ASSERT_TRUE(b.Valid());
    ASSERT_TRUE(IsEmpty(b) || (b.width == 32 && b.height == 32));
  };
  for (size_t n = 0; n < art.size(); ++n)
    check(ParsePixelArt(std::string_view(art).substr(0, n)));
  std::mt19937 random(12345);
  std::uniform_int_distribution<size_t> where(0, art.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int i = 0; i < 2000; ++i) {
    std::string damaged = art;
    for (int k = 0; k < 1 + i % 4; ++k)
      damaged[where(random)] = static_cast<char>(byte(random));
    check(ParsePixelArt(damaged));
  }
}

}  // namespace
}  // namespace starquill
