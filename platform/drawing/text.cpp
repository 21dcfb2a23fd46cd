#include "platform/drawing/text.h"

#include "platform/drawing/device_scale.h"
#include "platform/support/ascii.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace starquill {

namespace {

constexpr char32_t kReplacementChar = 0xFFFD;

// Pen positions are held within this many pixels of the origin, so that adding a glyph's
// offsets to them cannot overflow; nothing placed that far away can show.
constexpr int64_t kFarPixels = int64_t{1} << 40;

int64_t HoldNear(int64_t v) {
  return std::clamp(v, -kFarPixels, kFarPixels);
}

// Decodes the code point starting at s[i] and advances i past it. A malformed sequence yields
// U+FFFD and consumes its maximal valid prefix (at least one byte), as Unicode recommends.
char32_t DecodeUtf8(std::string_view s, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned lead = byte(i++);
  if (lead < 0x80) return lead;
  int extra;
  char32_t cp;
  unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) lo = 0xA0;  // overlong
    if (lead == 0xED) hi = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) lo = 0x90;  // overlong
    if (lead == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    return kReplacementChar;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size()) return kReplacementChar;
    const unsigned b = byte(i);
    if (b < lo || b > hi) return kReplacementChar;
    lo = 0x80;
    hi = 0xBF;
    cp = (cp << 6) | (b & 0x3F);
    ++i;
  }
  return cp;
}

// Number of code points the text decodes to.
int64_t CountCodePoints(std::string_view s) {
  int64_t n = 0;
  for (size_t i = 0; i < s.size(); ++n) {
    DecodeUtf8(s, i);
  }
  return n;
}

// Re-encodes the text as well-formed UTF-8, as fontconfig expects of its strings.
std::string SanitizeUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const char32_t cp = DecodeUtf8(s, i);
    if (cp == 0) continue;  // would end the C string early
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

// --- FreeType library, one per thread --------------------------------------------------------

class FtLibrary {
 public:
  FtLibrary() {
    if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
  }
  ~FtLibrary() {
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }
  FtLibrary(const FtLibrary&) = delete;
  FtLibrary& operator=(const FtLibrary&) = delete;

  FT_Library get() const { return library_; }

 private:
  FT_Library library_ = nullptr;
};

// Faces keep their library alive, so a face that outlives its thread's cache stays valid.
std::shared_ptr<FtLibrary> ThreadLibrary() {
  thread_local std::shared_ptr<FtLibrary> library = std::make_shared<FtLibrary>();
  return library->get() != nullptr ? library : nullptr;
}

// --- Faces -----------------------------------------------------------------------------------

// Stands in when no font can be loaded: measures like a plain sans face, draws nothing.
class FallbackFace final : public FontFace {
 public:
  explicit FallbackFace(int px)
      : ascent_(std::max(1, static_cast<int>(std::lround(px * 0.8)))),
        descent_(std::max(0, px - ascent_)),
        advance_(std::max(1, static_cast<int>(std::lround(px * 0.5)))) {}

  int Ascent() const override { return ascent_; }
  int Descent() const override { return descent_; }
  int TextWidth(std::string_view utf8) override {
    const int64_t count = std::min<int64_t>(CountCodePoints(utf8), kMaxTextExtent);
    return static_cast<int>(std::min<int64_t>(count * advance_, kMaxTextExtent));
  }
  void PenPositions(std::string_view utf8, int64_t x, std::vector<int64_t>& pens) override {
    pens.clear();
    int64_t pen = HoldNear(x);
    for (size_t i = 0; i < utf8.size(); pen = HoldNear(pen + advance_)) {
      DecodeUtf8(utf8, i);
      pens.push_back(pen);
    }
  }
  void DrawAtPens(const PixelView&, std::span<const int64_t>, int64_t, std::string_view,
                  Color) override {}

 private:
  int ascent_;
  int descent_;
  int advance_;
};

// A glyph's rendered 8-bit coverage, placed relative to the pen position on the baseline.
struct Coverage {
  int left = 0;
  int top = 0;  // rows above the baseline
  int width = 0;
  int rows = 0;
  std::vector<uint8_t> alpha;
};

// What loading a glyph without rendering it tells: its whole-pixel advance and a box, in
// pixels from the pen with y growing downwards, that holds all of its coverage. Kept for every
// glyph a face meets, so measuring never renders; the coverage is rendered only when the box
// meets a target, and is kept while the face's budget allows.
struct Glyph {
  FT_UInt index = 0;
  int advance = 0;
  bool ink = false;  // false: nothing to draw (no outline, or it failed to load or render)
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // the box [x0, x1) x [y0, y1)

  bool cached = false;
  Coverage coverage;
  // The list of cached coverages, most recently used first, and the drawing that used it last.
  Glyph* newer = nullptr;
  Glyph* older = nullptr;
  uint64_t used = 0;
};

// Pixel bounds come from 26.6 values; far-off values are held where conversions stay exact.
constexpr int64_t kFarPixelsFixed = kFarPixels * 64;

int PixelFloor(FT_Pos v) {
  return static_cast<int>(
      std::clamp<int64_t>(std::clamp<int64_t>(v, -kFarPixelsFixed, kFarPixelsFixed) >> 6,
                          -kMaxTextExtent, kMaxTextExtent));
}

int PixelCeil(FT_Pos v) {
  return static_cast<int>(
      std::clamp<int64_t>((std::clamp<int64_t>(v, -kFarPixelsFixed, kFarPixelsFixed) + 63) >> 6,
                          -kMaxTextExtent, kMaxTextExtent));
}

// A 26.6 advance rounded to whole pixels.
int PixelRound(FT_Pos v) {
  return PixelFloor(std::clamp<int64_t>(v, -kFarPixelsFixed, kFarPixelsFixed) + 32);
}

class FreeTypeFace final : public FontFace {
 public:
  FreeTypeFace(std::shared_ptr<FtLibrary> library, FT_Face face, int px, bool embolden)
      : library_(std::move(library)), face_(face), embolden_(embolden) {
    ascii_.fill(nullptr);
    ComputeVerticalMetrics(px);
  }
  ~FreeTypeFace() override { FT_Done_Face(face_); }
  FreeTypeFace(const FreeTypeFace&) = delete;
  FreeTypeFace& operator=(const FreeTypeFace&) = delete;

  int Ascent() const override { return ascent_; }
  int Descent() const override { return descent_; }

  int TextWidth(std::string_view utf8) override {
    int64_t width = 0;
    for (size_t i = 0; i < utf8.size();) {
      width = HoldNear(width + GlyphFor(DecodeUtf8(utf8, i)).advance);
    }
    return CapExtent(width);
  }

  void PenPositions(std::string_view utf8, int64_t x, std::vector<int64_t>& pens) override {
    pens.clear();
    int64_t pen = HoldNear(x);
    for (size_t i = 0; i < utf8.size();) {
      pens.push_back(pen);
      pen = HoldNear(pen + GlyphFor(DecodeUtf8(utf8, i)).advance);
    }
  }

  void DrawAtPens(const PixelView& target, std::span<const int64_t> pens, int64_t baseline,
                  std::string_view utf8, Color color) override {
    if (target.bits == nullptr || target.width <= 0 || target.height <= 0) return;
    baseline = HoldNear(baseline);
    BeginDrawing();
    for (size_t i = 0, k = 0; i < utf8.size() && k < pens.size(); ++k) {
      DrawGlyph(target, HoldNear(pens[k]), baseline, GlyphFor(DecodeUtf8(utf8, i)), color);
    }
    EndDrawing();
  }

 private:
  // Rendered coverage of one face is kept below this many bytes, the least recently used
  // going first. At the largest sizes a glyph is megabytes, so only what is seen is rendered.
  static constexpr size_t kMaxCacheBytes = 32u << 20;
  static constexpr FT_UInt kNoGlyph = std::numeric_limits<FT_UInt>::max();

  static int CapExtent(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, -kMaxTextExtent, kMaxTextExtent));
  }

  // Line metrics from the OS/2 table's Windows ascent and descent, which give the familiar
  // desktop line heights; the hhea values serve when those are missing.
  void ComputeVerticalMetrics(int px) {
    const double scale = static_cast<double>(px) / std::max<int>(1, face_->units_per_EM);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    double ascent, descent;
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent > 0) {
      ascent = os2->usWinAscent;
      descent = os2->usWinDescent;
    } else {
      ascent = face_->ascender;
      descent = -face_->descender;
    }
    ascent_ = std::clamp(static_cast<int>(std::lround(ascent * scale)), 0, 100 * px);
    descent_ = std::clamp(static_cast<int>(std::lround(descent * scale)), 0, 100 * px);
    if (ascent_ + descent_ == 0) ascent_ = px;
  }

  Glyph& GlyphFor(char32_t cp) {
    if (cp < ascii_.size()) {
      if (ascii_[cp] == nullptr) ascii_[cp] = &GlyphAt(FT_Get_Char_Index(face_, cp));
      return *ascii_[cp];
    }
    return GlyphAt(FT_Get_Char_Index(face_, cp));
  }

  // The glyph's metrics, measured on first use and kept for the life of the face (a font has
  // at most 65536 glyphs, and the map's nodes never move).
  Glyph& GlyphAt(FT_UInt index) {
    if (auto it = glyphs_.find(index); it != glyphs_.end()) return it->second;
    return glyphs_.emplace(index, Measure(index)).first->second;
  }

  // Loads the glyph into the face's slot, hinted and emboldened as it is drawn.
  bool LoadSlot(FT_UInt index) {
    if (slot_holds_ == index) return true;
    slot_holds_ = kNoGlyph;
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0) return false;
    if (embolden_) FT_GlyphSlot_Embolden(face_->glyph);
    slot_holds_ = index;
    return true;
  }

  // Advance and box without rendering. Rendering places the coverage on the pixels the
  // outline's control box touches; a pixel of margin keeps the box sure to hold it. A glyph
  // that fails to load is empty and has no width.
  Glyph Measure(FT_UInt index) {
    Glyph glyph;
    glyph.index = index;
    if (!LoadSlot(index)) return glyph;
    const FT_GlyphSlot slot = face_->glyph;
    glyph.advance = PixelRound(slot->advance.x);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      if (slot->outline.n_points <= 0) return glyph;
      FT_BBox box;
      FT_Outline_Get_CBox(&slot->outline, &box);
      glyph.x0 = PixelFloor(box.xMin) - 1;
      glyph.x1 = PixelCeil(box.xMax) + 1;
      glyph.y0 = -PixelCeil(box.yMax) - 1;
      glyph.y1 = -PixelFloor(box.yMin) + 1;
    } else if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
      const FT_Bitmap& bitmap = slot->bitmap;
      if (bitmap.width == 0 || bitmap.rows == 0 || bitmap.buffer == nullptr) return glyph;
      glyph.x0 = slot->bitmap_left;
      glyph.x1 = static_cast<int>(std::min<int64_t>(int64_t{slot->bitmap_left} + bitmap.width,
                                                    std::numeric_limits<int>::max()));
      glyph.y0 = static_cast<int>(std::max<int64_t>(-int64_t{slot->bitmap_top}, -kMaxTextExtent));
      glyph.y1 = static_cast<int>(
          std::min<int64_t>(int64_t{glyph.y0} + bitmap.rows, std::numeric_limits<int>::max()));
    } else {  // no box known before rendering: any target may show it
      glyph.x0 = glyph.y0 = -kMaxTextExtent;
      glyph.x1 = glyph.y1 = kMaxTextExtent;
    }
    glyph.ink = true;
    return glyph;
  }

  void BeginDrawing() {
    ++drawing_;
    drawing_bytes_ = 0;
  }

  // A glyph rendered just for this drawing is not kept beyond it.
  void EndDrawing() {
    scratch_ = Coverage{};
    scratch_holds_ = kNoGlyph;
  }

  // Blends the glyph with its pen at (pen, baseline), rendering it only when its box meets
  // the target.
  void DrawGlyph(const PixelView& target, int64_t pen, int64_t baseline, Glyph& glyph,
                 Color color) {
    if (!glyph.ink || pen + glyph.x1 <= 0 || pen + glyph.x0 >= target.width ||
        baseline + glyph.y1 <= 0 || baseline + glyph.y0 >= target.height) {
      return;
    }
    if (const Coverage* coverage = CoverageOf(glyph)) {
      Blit(target, pen + coverage->left, baseline - coverage->top, *coverage, color);
    }
  }

  const Coverage* CoverageOf(Glyph& glyph) {
    if (glyph.cached) {
      Touch(glyph);
      return &glyph.coverage;
    }
    if (scratch_holds_ == glyph.index) return &scratch_;
    Coverage coverage;
    if (!Render(glyph.index, coverage)) {
      glyph.ink = false;  // nothing will ever show: not tried again
      return nullptr;
    }
    if (!MakeRoom(coverage.alpha.size())) {
      scratch_ = std::move(coverage);
      scratch_holds_ = glyph.index;
      return &scratch_;
    }
    glyph.coverage = std::move(coverage);
    glyph.cached = true;
    cache_bytes_ += glyph.coverage.alpha.size();
    Touch(glyph);
    return &glyph.coverage;
  }

  // Makes the glyph the most recently used, counting it among this drawing's glyphs.
  void Touch(Glyph& glyph) {
    if (glyph.used != drawing_) {
      glyph.used = drawing_;
      drawing_bytes_ += glyph.coverage.alpha.size();
    }
    if (newest_ == &glyph) return;
    Unlink(glyph);
    glyph.older = newest_;
    if (newest_ != nullptr) newest_->newer = &glyph;
    newest_ = &glyph;
    if (oldest_ == nullptr) oldest_ = &glyph;
  }

  void Unlink(Glyph& glyph) {
    if (glyph.newer != nullptr) glyph.newer->older = glyph.older;
    if (glyph.older != nullptr) glyph.older->newer = glyph.newer;
    if (newest_ == &glyph) newest_ = glyph.older;
    if (oldest_ == &glyph) oldest_ = glyph.newer;
    glyph.newer = glyph.older = nullptr;
  }

  // Evicts the least recently used coverage until `bytes` more fit the budget. Glyphs this
  // drawing has used stay: a line with more large glyphs than fit then keeps the first ones
  // and draws the rest without keeping them, instead of every glyph evicting the next one.
  // False when the new coverage cannot be kept.
  bool MakeRoom(size_t bytes) {
    if (bytes > kMaxCacheBytes - drawing_bytes_) return false;
    while (cache_bytes_ + bytes > kMaxCacheBytes && oldest_ != nullptr) {
      Glyph& victim = *oldest_;
      Unlink(victim);
      cache_bytes_ -= victim.coverage.alpha.size();
      victim.coverage = Coverage{};
      victim.cached = false;
    }
    return true;
  }

  // Loads, hints and renders one glyph, as measuring loaded it. False when nothing shows.
  bool Render(FT_UInt index, Coverage& out) {
    if (!LoadSlot(index)) return false;
    FT_GlyphSlot slot = face_->glyph;
    slot_holds_ = kNoGlyph;  // the slot now holds the rendering, no longer the outline
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
      return false;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0 || bitmap.buffer == nullptr) return false;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO &&
        bitmap.pixel_mode != FT_PIXEL_MODE_BGRA) {
      return false;
    }
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    out.alpha.resize(static_cast<size_t>(out.width) * out.rows);
    // The pitch steps down one row; with a negative pitch the top row is stored last.
    const unsigned char* row = bitmap.buffer;
    if (bitmap.pitch < 0) row -= static_cast<ptrdiff_t>(bitmap.pitch) * (out.rows - 1);
    uint8_t* dst = out.alpha.data();
    for (int y = 0; y < out.rows; ++y, row += bitmap.pitch, dst += out.width) {
      for (int x = 0; x < out.width; ++x) {
        switch (bitmap.pixel_mode) {
          case FT_PIXEL_MODE_GRAY:
            dst[x] = static_cast<uint8_t>(bitmap.num_grays == 256
                                              ? row[x]
                                              : row[x] * 255 / std::max(1, bitmap.num_grays - 1));
            break;
          case FT_PIXEL_MODE_MONO:
            dst[x] = (row[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
            break;
          default:  // BGRA: the alpha channel is the coverage
            dst[x] = row[x * 4 + 3];
            break;
        }
      }
    }
    return true;
  }

  // Blends the coverage in the colour over the view, clipped to it.
  static void Blit(const PixelView& target, int64_t gx, int64_t gy, const Coverage& glyph,
                   Color color) {
    const int64_t x0 = std::max<int64_t>(gx, 0);
    const int64_t y0 = std::max<int64_t>(gy, 0);
    const int64_t x1 = std::min<int64_t>(gx + glyph.width, target.width);
    const int64_t y1 = std::min<int64_t>(gy + glyph.rows, target.height);
    if (x0 >= x1 || y0 >= y1) return;
    const uint32_t solid = StoredPixel(color);
    for (int64_t y = y0; y < y1; ++y) {
      uint32_t* dst = target.Row(static_cast<int>(y));
      const uint8_t* src = glyph.alpha.data() + (y - gy) * glyph.width;
      for (int64_t x = x0; x < x1; ++x) {
        const int a = src[x - gx];
        if (a == 0) continue;
        if (a == 255) {
          dst[x] = solid;
          continue;
        }
        dst[x] = BlendStored(dst[x], solid, a);
      }
    }
  }

  std::shared_ptr<FtLibrary> library_;
  FT_Face face_;
  bool embolden_;
  int ascent_ = 0;
  int descent_ = 0;
  std::unordered_map<FT_UInt, Glyph> glyphs_;
  std::array<Glyph*, 128> ascii_;  // fast path from ASCII to the glyphs
  FT_UInt slot_holds_ = kNoGlyph;  // the glyph loaded (not rendered) in the face's slot
  Glyph* newest_ = nullptr;
  Glyph* oldest_ = nullptr;
  size_t cache_bytes_ = 0;
  uint64_t drawing_ = 0;      // counts drawings
  size_t drawing_bytes_ = 0;  // bytes of cached coverage the current drawing has used
  Coverage scratch_;          // a glyph drawn without being kept
  FT_UInt scratch_holds_ = kNoGlyph;
};

// --- Font resolution -------------------------------------------------------------------------

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetDeleter>;
using ObjectSetPtr = std::unique_ptr<FcObjectSet, ObjectSetDeleter>;

struct ConfigDeleter {
  void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};

// This file's own fontconfig configuration, loaded once per process and released at exit, so
// that leak checkers see a clean shutdown without tearing down the global configuration that
// other parts of the program may use. Null when fontconfig cannot load its configuration.
FcConfig* Fontconfig() {
  static const std::unique_ptr<FcConfig, ConfigDeleter> config{FcInitLoadConfigAndFonts()};
  return config.get();
}

// A font file as fontconfig chose it, with the synthetic styling it asks for.
struct Candidate {
  std::string file;
  int index = 0;
  bool embolden = false;
  std::optional<FT_Matrix> transform;
};

FT_Fixed ToFixed(double v) {
  if (!std::isfinite(v)) v = 0;
  return static_cast<FT_Fixed>(std::lround(std::clamp(v, -64.0, 64.0) * 65536.0));
}

std::optional<Candidate> CandidateFrom(FcPattern* pattern) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || file == nullptr) {
    return std::nullopt;
  }
  Candidate c;
  c.file = reinterpret_cast<const char*>(file);
  int index = 0;
  if (FcPatternGetInteger(pattern, FC_INDEX, 0, &index) == FcResultMatch) c.index = index;
  FcBool embolden = FcFalse;
  if (FcPatternGetBool(pattern, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) {
    c.embolden = embolden == FcTrue;
  }
  FcMatrix* m = nullptr;
  if (FcPatternGetMatrix(pattern, FC_MATRIX, 0, &m) == FcResultMatch && m != nullptr &&
      !(m->xx == 1 && m->xy == 0 && m->yx == 0 && m->yy == 1)) {
    c.transform = FT_Matrix{ToFixed(m->xx), ToFixed(m->xy), ToFixed(m->yx), ToFixed(m->yy)};
  }
  return c;
}

// Fontconfig's best match for the family in the weight, slant and size.
std::optional<Candidate> MatchFamily(FcConfig* config, const std::string& family,
                                     const FontSpec& font, int px) {
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  const std::string name = SanitizeUtf8(family);
  if (!name.empty()) {
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  }
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, px);
  if (FcConfigSubstitute(config, pattern.get(), FcMatchPattern) != FcTrue) return std::nullopt;
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(config, pattern.get(), &result));
  if (!match || result != FcResultMatch) return std::nullopt;
  return CandidateFrom(match.get());
}

// Every scalable font fontconfig knows, as a last resort.
std::vector<Candidate> ListScalableFonts(FcConfig* config) {
  std::vector<Candidate> fonts;
  PatternPtr pattern(FcPatternCreate());
  ObjectSetPtr objects(FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr));
  if (!pattern || !objects) return fonts;
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FontSetPtr set(FcFontList(config, pattern.get(), objects.get()));
  if (!set) return fonts;
  for (int i = 0; i < set->nfont; ++i) {
    if (auto c = CandidateFrom(set->fonts[i])) fonts.push_back(std::move(*c));
  }
  std::sort(fonts.begin(), fonts.end(), [](const Candidate& a, const Candidate& b) {
    return std::tie(a.file, a.index) < std::tie(b.file, b.index);
  });
  return fonts;
}

std::shared_ptr<FontFace> Load(const std::shared_ptr<FtLibrary>& library, const Candidate& c,
                               int px) {
  FT_Face face = nullptr;
  if (FT_New_Face(library->get(), c.file.c_str(), c.index, &face) != 0) return nullptr;
  if (!FT_IS_SCALABLE(face) || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(px)) != 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  if (c.transform) {
    FT_Matrix m = *c.transform;
    FT_Set_Transform(face, &m, nullptr);
  }
  return std::make_shared<FreeTypeFace>(library, face, px, c.embolden);
}

// The font chosen for the pixel size px, loaded at draw_px pixels: a face drawn larger for a
// denser screen comes from the same file as the face that measures.
std::shared_ptr<FontFace> CreateFace(const FontSpec& font, int px, int draw_px) {
  const auto library = ThreadLibrary();
  FcConfig* config = Fontconfig();
  if (library && config != nullptr) {
    for (const std::string& family : {font.name, std::string("sans-serif")}) {
      if (auto c = MatchFamily(config, family, font, px)) {
        if (auto face = Load(library, *c, draw_px)) return face;
      }
    }
    for (const Candidate& c : ListScalableFonts(config)) {
      if (auto face = Load(library, c, draw_px)) return face;
    }
  }
  return std::make_shared<FallbackFace>(draw_px);
}

// round(px * scale), within the pixel sizes fonts come in.
int ScaledPixelSize(int px, double scale) {
  const long scaled = std::lround(px * SaneDeviceScale(scale));
  return static_cast<int>(std::clamp<long>(scaled, 1, kMaxPixelSize));
}

// Name, 1x pixel size, drawn pixel size, bold, italic.
using CacheKey = std::tuple<std::string, int, int, bool, bool>;

// Beyond this many cached faces, faces nobody else holds are dropped.
constexpr size_t kMaxCachedFaces = 256;

}  // namespace

std::shared_ptr<FontFace> ResolveFont(const FontSpec& font, double scale) {
  thread_local std::map<CacheKey, std::shared_ptr<FontFace>> cache;
  const int px = PixelSizeForPoints(font.size);
  const int draw_px = ScaledPixelSize(px, scale);
  CacheKey key{AsciiLower(font.name), px, draw_px, font.bold, font.italic};
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  if (cache.size() >= kMaxCachedFaces) {
    std::erase_if(cache, [](const auto& entry) { return entry.second.use_count() == 1; });
  }
  auto face = CreateFace(font, px, draw_px);
  cache.emplace(std::move(key), face);
  return face;
}

}  // namespace starquill
