#include "platform/drawing/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/drawing/font.h"
#include "platform/drawing/surface.h"

namespace starquill {
namespace {

using namespace std::string_literals;

FontSpec FontOf(const std::string& name, double size, bool bold = false, bool italic = false) {
  return FontSpec{name, size, bold, italic};
}

// A block of pixels with a view onto it.
struct Canvas {
  Canvas(int w, int h, uint32_t fill) : pixels(static_cast<size_t>(w) * h, fill) {
    view = PixelView{pixels.data(), w, h, w};
  }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * view.width + x]; }

  std::vector<uint32_t> pixels;
  PixelView view;
};

// Bounds of the pixels that differ from the background.
struct Ink {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN, count = 0;
};
Ink FindInk(const Canvas& canvas, uint32_t background) {
  Ink ink;
  for (int y = 0; y < canvas.view.height; ++y) {
    for (int x = 0; x < canvas.view.width; ++x) {
      if (canvas.At(x, y) == background) continue;
      ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x),
             std::max(ink.bottom, y), ink.count + 1};
    }
  }
  return ink;
}

constexpr uint32_t kBlack = kOpaque;
const Color kWhite = RGB(255, 255, 255);

TEST(PixelSizeForPointsTest, RoundsToWholePixelsAt96DpiWithinRange) {
  EXPECT_EQ(PixelSizeForPoints(8.25), 11);
  EXPECT_EQ(PixelSizeForPoints(8), 11);
  EXPECT_EQ(PixelSizeForPoints(36), 48);
  EXPECT_EQ(PixelSizeForPoints(3), 4);
  EXPECT_EQ(PixelSizeForPoints(1.875), 2);  // 2.5 rounds to even
  for (double degenerate : {0.0, -5.0, 0.1, std::nan(""), -HUGE_VAL}) {
    EXPECT_EQ(PixelSizeForPoints(degenerate), 1) << degenerate;
  }
  const int biggest = PixelSizeForPoints(HUGE_VAL);
  EXPECT_GE(biggest, 1000);
  EXPECT_EQ(PixelSizeForPoints(1e300), biggest);
}

TEST(ResolveFontTest, ArialHasDesktopLineHeights) {
  EXPECT_EQ(ResolveFont(FontOf("Arial", 3))->LineHeight(), 5);
  EXPECT_EQ(ResolveFont(FontOf("Arial", 8))->LineHeight(), 12);
  EXPECT_EQ(ResolveFont(FontOf("Arial", 18))->LineHeight(), 27);
  EXPECT_EQ(ResolveFont(FontOf("Arial", 36))->LineHeight(), 53);
  const auto face = ResolveFont(FontOf("Arial", 36));
  EXPECT_EQ(face->Ascent(), 43);
  EXPECT_EQ(face->Descent(), 10);
}

TEST(ResolveFontTest, CachesFacesByNormalisedSpec) {
  const auto a = ResolveFont(FontOf("Arial", 8.25));
  EXPECT_EQ(a, ResolveFont(FontOf("Arial", 8.25)));
  EXPECT_EQ(a, ResolveFont(FontOf("ARIAL", 8.25)));
  EXPECT_EQ(a, ResolveFont(FontOf("Arial", 8)));  // same pixel size
  EXPECT_NE(a, ResolveFont(FontOf("Arial", 9)));
  EXPECT_NE(a, ResolveFont(FontOf("Arial", 8.25, true)));
  EXPECT_NE(a, ResolveFont(FontOf("Arial", 8.25, false, true)));
}

TEST(ResolveFontTest, ScaledFacesAreTheFontAtTheScaledPixelSize) {
  const auto plain = ResolveFont(FontOf("Arial", 18));  // 24 px
  const auto doubled = ResolveFont(FontOf("Arial", 18), 2);
  EXPECT_NE(doubled, plain);
  EXPECT_EQ(doubled, ResolveFont(FontOf("arial", 18), 2.0));
  EXPECT_EQ(doubled->LineHeight(), ResolveFont(FontOf("Arial", 36))->LineHeight());  // 48 px
  for (double nonsense : {std::nan(""), 0.0, -2.0, HUGE_VAL}) {
    EXPECT_EQ(ResolveFont(FontOf("Arial", 18), nonsense), plain) << nonsense;
  }
  EXPECT_GT(ResolveFont(FontOf("Arial", 1e9), 8)->LineHeight(), 0);
}

TEST(ResolveFontTest, AnyNameResolvesToAUsableFace) {
  const std::vector<std::string> names = {
      "No Such Font 12345", "", "\xff\xfe bad \xc0", "Verdana", "A\0B"s, std::string(5000, 'x')};
  for (const std::string& name : names) {
    SCOPED_TRACE(name.substr(0, 40));
    for (double size : {0.0, -3.0, std::nan(""), 8.25, 1e9}) {
      const auto face = ResolveFont(FontOf(name, size));
      ASSERT_NE(face, nullptr);
      EXPECT_GT(face->LineHeight(), 0);
      EXPECT_GE(face->Descent(), 0);
    }
  }
  const auto face = ResolveFont(FontOf("No Such Font 12345", 12));
  Canvas canvas(80, 30, kBlack);
  face->Draw(canvas.view, 2, 2, "Hello", kWhite);
  EXPECT_GT(face->TextWidth("Hello"), 0);
  EXPECT_GT(FindInk(canvas, kBlack).count, 0);
}

TEST(ResolveFontTest, FacesOutliveTheirThread) {
  std::shared_ptr<FontFace> other;
  std::thread([&] { other = ResolveFont(FontOf("Arial", 10)); }).join();
  const auto mine = ResolveFont(FontOf("Arial", 10));
  EXPECT_NE(other, mine);  // each thread has its own faces
  EXPECT_EQ(other->TextWidth("Thread"), mine->TextWidth("Thread"));
  Canvas a(60, 20, kBlack), b(60, 20, kBlack);
  other->Draw(a.view, 1, 1, "Thread", kWhite);
  mine->Draw(b.view, 1, 1, "Thread", kWhite);
  EXPECT_EQ(a.pixels, b.pixels);
}

// Without any fonts, faces still measure like text and drawing does nothing. Runs in a fresh
// process, since fontconfig loads its configuration once.
TEST(ResolveFontDeathTest, WorksWithoutAnyFonts) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string config = testing::TempDir() + "starquill_no_fonts.conf";
  std::FILE* file = std::fopen(config.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n", file);
  std::fclose(file);
  EXPECT_EXIT(
      {
        setenv("FONTCONFIG_FILE", config.c_str(), 1);
        const auto face = ResolveFont(FontOf("Arial", 8.25, true));
        Canvas canvas(40, 20, kBlack);
        face->Draw(canvas.view, 0, 0, "Hello", kWhite);
        const bool ok = face == ResolveFont(FontOf("arial", 8.25, true)) &&
                        face->LineHeight() == 11 && face->Ascent() > face->Descent() &&
                        face->TextWidth("") == 0 &&
                        face->TextWidth("Hello") == 5 * face->TextWidth("H") &&
                        face->TextWidth("\xC3\xA9\xff") == 2 * face->TextWidth("H") &&
                        FindInk(canvas, kBlack).count == 0;
        std::exit(ok ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(TextWidthTest, IsTheSumOfGlyphAdvances) {
  const auto face = ResolveFont(FontOf("Arial", 8.25));
  EXPECT_EQ(face->TextWidth(""), 0);
  EXPECT_EQ(face->TextWidth("ab"), face->TextWidth("a") + face->TextWidth("b"));
  EXPECT_EQ(face->TextWidth("AVAV"), 2 * face->TextWidth("AV"));  // no kerning
  EXPECT_EQ(face->TextWidth("Start Program"),
            face->TextWidth("Start ") + face->TextWidth("Program"));
}

TEST(TextWidthTest, BoldIsWiderThanRegular) {
  const std::string text = "Fireworks over the harbour";
  for (const char* name : {"Arial", "DejaVu Math TeX Gyre"}) {  // the latter is synthetic bold
    SCOPED_TRACE(name);
    EXPECT_GT(ResolveFont(FontOf(name, 12, true))->TextWidth(text),
              ResolveFont(FontOf(name, 12))->TextWidth(text));
  }
}

TEST(TextWidthTest, MalformedUtf8BecomesReplacementCharacters) {
  const auto face = ResolveFont(FontOf("Arial", 12));
  const int replacement = face->TextWidth("\xEF\xBF\xBD");
  ASSERT_GT(replacement, 0);
  EXPECT_EQ(face->TextWidth("\xff"), replacement);
  EXPECT_EQ(face->TextWidth("a\x80z"), face->TextWidth("az") + replacement);
  EXPECT_EQ(face->TextWidth("\xE2\x82"), replacement);              // truncated sequence
  EXPECT_EQ(face->TextWidth("\xC0\xAF"), 2 * replacement);          // overlong
  EXPECT_EQ(face->TextWidth("\xE0\x80\xAF"), 3 * replacement);      // overlong
  EXPECT_EQ(face->TextWidth("\xED\xA0\x80"), 3 * replacement);      // surrogate
  EXPECT_EQ(face->TextWidth("\xF4\x90\x80\x80"), 4 * replacement);  // beyond U+10FFFF
  EXPECT_EQ(face->TextWidth("\xE2\x82\xAC"), face->TextWidth("\u20AC"));
  EXPECT_GT(face->TextWidth("a\0b"s), face->TextWidth("ab"));
}

TEST(DrawTest, InkStaysInsideTheMeasuredLineBox) {
  for (double size : {8.25, 12.0, 36.0}) {
    for (const char* text : {"Hi", "Start Program", "1 rockets active"}) {
      SCOPED_TRACE(std::to_string(size) + " " + text);
      const auto face = ResolveFont(FontOf("Arial", size));
      Canvas canvas(400, 120, kBlack);
      const int x = 13, top = 9;
      face->Draw(canvas.view, x, top, text, kWhite);
      const Ink ink = FindInk(canvas, kBlack);
      ASSERT_GT(ink.count, 0);
      EXPECT_GE(ink.left, x);
      EXPECT_LT(ink.right, x + face->TextWidth(text));
      EXPECT_GE(ink.top, top);
      EXPECT_LT(ink.bottom, top + face->LineHeight());
    }
  }
}

TEST(DrawTest, AntiAliasesAndBlendsWithTheBackground) {
  const auto face = ResolveFont(FontOf("Arial", 14));
  const uint32_t background = StoredPixel(RGB(0, 30, 200));
  Canvas canvas(120, 30, background);
  face->Draw(canvas.view, 2, 2, "Sparks & gold", RGB(255, 200, 10));
  int partial = 0, full = 0;
  for (uint32_t p : canvas.pixels) {
    if (p == background) continue;
    ASSERT_EQ(p & ~kColorMask, kOpaque);
    // With red going 0 -> 255 its value is the coverage; the other channels follow it.
    const Color c = ColorOfStored(p);
    const int coverage = RedOf(c);
    EXPECT_EQ(GreenOf(c), 30 + std::lround(170.0 * coverage / 255));
    EXPECT_EQ(BlueOf(c), 200 - static_cast<int>(std::lround(190.0 * coverage / 255)));
    partial += coverage > 0 && coverage < 255;
    full += coverage == 255;
  }
  EXPECT_GT(partial, 10);
  EXPECT_GT(full, 10);
}

TEST(DrawTest, ClipsExactlyAtEveryEdge) {
  const auto face = ResolveFont(FontOf("Arial", 16, true));
  const std::string text = "Hgjy@W";
  // The reference: the whole text on a large canvas.
  Canvas big(300, 80, kBlack);
  const int bx = 100, by = 30;
  face->Draw(big.view, bx, by, text, kWhite);

  // Windows of 25 x 12 pixels with a one-pixel guard border inside a larger buffer, so that
  // the view's stride differs from its width.
  const int w = 25, h = 12, stride = w + 2;
  for (int ox : {80, 95, 100, 150, 170, 195}) {
    for (int oy : {20, 28, 35, 45}) {
      SCOPED_TRACE(std::to_string(ox) + "," + std::to_string(oy));
      std::vector<uint32_t> buffer(static_cast<size_t>(stride) * (h + 2), 0x12345678u);
      PixelView view{buffer.data() + stride + 1, w, h, stride};
      for (int y = 0; y < h; ++y) {
        std::fill_n(view.Row(y), w, kBlack);
      }
      face->Draw(view, bx - ox, by - oy, text, kWhite);
      for (int y = -1; y <= h; ++y) {
        for (int x = -1; x <= w; ++x) {
          const uint32_t got = buffer[static_cast<size_t>(y + 1) * stride + x + 1];
          const bool inside = x >= 0 && x < w && y >= 0 && y < h;
          ASSERT_EQ(got, inside ? big.At(ox + x, oy + y) : 0x12345678u) << x << "," << y;
        }
      }
    }
  }
}

TEST(DrawTest, DegenerateTargetsAndPositionsAreSafe) {
  const auto face = ResolveFont(FontOf("Arial", 12));
  Canvas canvas(10, 10, kBlack);
  for (int x : {INT_MIN, -1000, -3, 5, 9, 1000, INT_MAX}) {
    for (int top : {INT_MIN, -20, -5, 4, 9, 50, INT_MAX}) {
      face->Draw(canvas.view, x, top, "Wide text across", kWhite);
    }
  }
  face->Draw(PixelView{}, 0, 0, "nothing", kWhite);
  face->Draw(PixelView{canvas.pixels.data(), 0, 10, 10}, 0, 0, "nothing", kWhite);
  face->Draw(PixelView{canvas.pixels.data(), -4, -4, 10}, 0, 0, "nothing", kWhite);
  face->Draw(canvas.view, 0, 0, "", kWhite);
  face->Draw(canvas.view, 0, 0, "\xff\xc0\xe2\x82\xf4\x90 bad", -1);
  face->Draw(canvas.view, 0, 0, std::string_view("\xe2", 1), kWhite);

  // A huge string is measured without overflowing and drawn without trouble.
  const std::string huge(1 << 21, 'W');
  EXPECT_GT(face->TextWidth(huge), 1 << 21);
  face->Draw(canvas.view, -5, 0, huge, kWhite);
  const auto giant = ResolveFont(FontOf("Arial", 1e6));
  giant->Draw(canvas.view, -100, -100, "Wg", kWhite);
}

// Measures of any text stay where callers can round them to 32 bits and add to them: capped
// at kMaxTextExtent, which a float holds exactly, also in a surface's own units.
TEST(TextWidthTest, HugeExtentsAreCappedExactlyInFloat) {
  static_assert(static_cast<double>(static_cast<float>(kMaxTextExtent)) == kMaxTextExtent);
  const std::string huge(1 << 20, 'W');
  for (double size : {8.25, 1e6, std::nan("")}) {
    EXPECT_LE(ResolveFont(FontOf("Arial", size))->TextWidth(huge), kMaxTextExtent) << size;
  }
  EXPECT_EQ(ResolveFont(FontOf("Arial", 1e6))->TextWidth(huge), kMaxTextExtent);

  Surface pixels(40, 20);
  pixels.SetFont(FontOf("Tahoma", 4096, true));
  EXPECT_EQ(pixels.TextWidth(huge), static_cast<float>(kMaxTextExtent));
  Surface tiny_units(40, 20);  // a unit far smaller than a pixel: every measure is huge
  tiny_units.SetScaleWidth(1e30f);
  tiny_units.SetScaleHeight(-1e30f);
  EXPECT_EQ(tiny_units.TextWidth("W"), static_cast<float>(kMaxTextExtent));
  EXPECT_EQ(tiny_units.TextHeight("W"), static_cast<float>(kMaxTextExtent));
}

// At the largest size every glyph is megabytes of coverage and a face keeps only a few:
// drawing many of them evicts and renders again, and neither measures nor pixels change.
// Within one drawing the glyphs beyond what fits are drawn without being kept.
TEST(DrawTest, HugeGlyphsMeasureAndDrawAlikeWhenTheirCacheOverflows) {
  const auto giant = ResolveFont(FontOf("Tahoma", 4096, true));
  const std::string text = "WM@QOGDHNUBKRAVXEPYZ&%#mmWM@Q";  // 50 MB of coverage, then repeats
  const int width = giant->TextWidth(text);
  std::vector<int64_t> pens;
  giant->PenPositions(text, 0, pens);
  // A band through the middle of the line, first drawn a glyph at a time...
  const int top = -1000, rows = 48;
  Canvas apart(width, rows, kBlack);
  for (size_t k = 0; k < text.size(); ++k) {
    giant->Draw(apart.view, static_cast<int>(pens[k]), top, text.substr(k, 1), kWhite);
  }
  EXPECT_GT(FindInk(apart, kBlack).count, width);
  // ...then the whole line at once, either way.
  Canvas line(width, rows, kBlack);
  giant->Draw(line.view, 0, top, text, kWhite);
  EXPECT_EQ(line.pixels, apart.pixels);
  Canvas at_pens(width, rows, kBlack);
  giant->DrawAtPens(at_pens.view, pens, top + giant->Ascent(), text, kWhite);
  EXPECT_EQ(at_pens.pixels, apart.pixels);
  EXPECT_EQ(giant->TextWidth(text), width);
}

TEST(DrawTest, SyntheticObliqueSlantsWithoutChangingWidth) {
  const auto upright = ResolveFont(FontOf("DejaVu Math TeX Gyre", 20));
  const auto oblique = ResolveFont(FontOf("DejaVu Math TeX Gyre", 20, false, true));
  EXPECT_EQ(upright->TextWidth("Slant"), oblique->TextWidth("Slant"));
  const int height = upright->LineHeight();  // math fonts have tall lines
  EXPECT_EQ(oblique->LineHeight(), height);
  Canvas a(120, height, kBlack), b(120, height, kBlack);
  upright->Draw(a.view, 5, 0, "I", kWhite);
  oblique->Draw(b.view, 5, 0, "I", kWhite);
  // The shear moves the top serif of the stem right of the foot serif.
  const auto lean = [](const Canvas& canvas) {
    const Ink ink = FindInk(canvas, kBlack);
    const auto left_in_row = [&](int y) {
      int x = 0;
      while (x < canvas.view.width && canvas.At(x, y) == kBlack)
        ++x;
      return x;
    };
    return ink.count == 0 ? 0 : left_in_row(ink.top) - left_in_row(ink.bottom);
  };
  EXPECT_NEAR(lean(a), 0, 1);
  EXPECT_GE(lean(b), 3);
}

}  // namespace
}  // namespace starquill
