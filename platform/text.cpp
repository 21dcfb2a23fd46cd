#include "platform/text.h"

#include "platform/ascii.h"
#include "platform/bitmap.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <atomic>
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

int ClampToInt(int64_t v) {
  return static_cast<int>(
      std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// (v * a) / 255 rounded to nearest, for v in [-255, 255] and a in [0, 255].
inline int ScaleByCoverage(int v, int a) {
  const int d = v * a;
  return d >= 0 ? (d + 127) / 255 : -((-d + 127) / 255);
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
    return ClampToInt(CountCodePoints(utf8) * advance_);
  }
  void Draw(const PixelView&, int, int, std::string_view, Color) override {}
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

// A glyph rendered once: its whole-pixel advance and its 8-bit coverage bitmap, placed
// relative to the pen position on the baseline.
struct Glyph {
  int advance = 0;
  int left = 0;
  int top = 0;  // rows above the baseline
  int width = 0;
  int rows = 0;
  std::vector<uint8_t> coverage;
};

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
      width += GlyphFor(DecodeUtf8(utf8, i)).advance;
    }
    return ClampToInt(width);
  }

  void Draw(const PixelView& target, int x, int top, std::string_view utf8, Color color) override {
    if (target.bits == nullptr || target.width <= 0 || target.height <= 0) return;
    const int64_t baseline = static_cast<int64_t>(top) + ascent_;
    int64_t pen = x;
    for (size_t i = 0; i < utf8.size();) {
      const Glyph& glyph = GlyphFor(DecodeUtf8(utf8, i));
      if (!glyph.coverage.empty()) {
        Blit(target, pen + glyph.left, baseline - glyph.top, glyph, color);
      }
      pen += glyph.advance;
    }
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
    for (size_t i = 0, k = 0; i < utf8.size() && k < pens.size(); ++k) {
      const Glyph& glyph = GlyphFor(DecodeUtf8(utf8, i));
      if (!glyph.coverage.empty()) {
        Blit(target, HoldNear(pens[k]) + glyph.left, baseline - glyph.top, glyph, color);
      }
    }
  }

 private:
  // Keeps rendered bitmaps of one face below this many bytes; beyond it the cache starts over.
  static constexpr size_t kMaxCacheBytes = 32u << 20;

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

  const Glyph& GlyphFor(char32_t cp) {
    if (cp < ascii_.size()) {
      if (ascii_[cp] == nullptr) ascii_[cp] = &GlyphAt(FT_Get_Char_Index(face_, cp));
      return *ascii_[cp];
    }
    return GlyphAt(FT_Get_Char_Index(face_, cp));
  }

  const Glyph& GlyphAt(FT_UInt index) {
    if (auto it = glyphs_.find(index); it != glyphs_.end()) return it->second;
    Glyph glyph = Render(index);
    if (cache_bytes_ + glyph.coverage.size() > kMaxCacheBytes) {
      glyphs_.clear();
      ascii_.fill(nullptr);
      cache_bytes_ = 0;
    }
    cache_bytes_ += glyph.coverage.size();
    return glyphs_.emplace(index, std::move(glyph)).first->second;
  }

  // Loads, hints and renders one glyph. Measuring and drawing both read the result, so they
  // agree on every advance. A glyph that fails to load is empty and has no width.
  Glyph Render(FT_UInt index) {
    Glyph glyph;
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0) return glyph;
    FT_GlyphSlot slot = face_->glyph;
    if (embolden_) FT_GlyphSlot_Embolden(slot);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
      return glyph;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0 || bitmap.buffer == nullptr) return glyph;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO &&
        bitmap.pixel_mode != FT_PIXEL_MODE_BGRA) {
      return glyph;
    }
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
    // The pitch steps down one row; with a negative pitch the top row is stored last.
    const unsigned char* row = bitmap.buffer;
    if (bitmap.pitch < 0) row -= static_cast<ptrdiff_t>(bitmap.pitch) * (glyph.rows - 1);
    uint8_t* out = glyph.coverage.data();
    for (int y = 0; y < glyph.rows; ++y, row += bitmap.pitch, out += glyph.width) {
      for (int x = 0; x < glyph.width; ++x) {
        switch (bitmap.pixel_mode) {
          case FT_PIXEL_MODE_GRAY:
            out[x] = static_cast<uint8_t>(bitmap.num_grays == 256
                                              ? row[x]
                                              : row[x] * 255 / std::max(1, bitmap.num_grays - 1));
            break;
          case FT_PIXEL_MODE_MONO:
            out[x] = (row[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
            break;
          default:  // BGRA: the alpha channel is the coverage
            out[x] = row[x * 4 + 3];
            break;
        }
      }
    }
    return glyph;
  }

  // Blends the glyph's coverage in the colour over the view, clipped to it.
  static void Blit(const PixelView& target, int64_t gx, int64_t gy, const Glyph& glyph,
                   Color color) {
    const int64_t x0 = std::max<int64_t>(gx, 0);
    const int64_t y0 = std::max<int64_t>(gy, 0);
    const int64_t x1 = std::min<int64_t>(gx + glyph.width, target.width);
    const int64_t y1 = std::min<int64_t>(gy + glyph.rows, target.height);
    if (x0 >= x1 || y0 >= y1) return;
    const int fr = RedOf(color), fg = GreenOf(color), fb = BlueOf(color);
    const uint32_t solid = static_cast<uint32_t>(color) & kColorMask;
    for (int64_t y = y0; y < y1; ++y) {
      uint32_t* dst = target.Row(static_cast<int>(y));
      const uint8_t* src = glyph.coverage.data() + (y - gy) * glyph.width;
      for (int64_t x = x0; x < x1; ++x) {
        const int a = src[x - gx];
        if (a == 0) continue;
        if (a == 255) {
          dst[x] = solid | kOpaque;
          continue;
        }
        const uint32_t p = dst[x];
        const int br = p & 0xFF, bg = (p >> 8) & 0xFF, bb = (p >> 16) & 0xFF;
        const int r = br + ScaleByCoverage(fr - br, a);
        const int g = bg + ScaleByCoverage(fg - bg, a);
        const int b = bb + ScaleByCoverage(fb - bb, a);
        dst[x] = static_cast<uint32_t>(r | (g << 8) | (b << 16)) | kOpaque;
      }
    }
  }

  std::shared_ptr<FtLibrary> library_;
  FT_Face face_;
  bool embolden_;
  int ascent_ = 0;
  int descent_ = 0;
  std::unordered_map<FT_UInt, Glyph> glyphs_;
  std::array<const Glyph*, 128> ascii_;  // fast path from ASCII to cached glyphs
  size_t cache_bytes_ = 0;
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

// This file's own fontconfig configuration, loaded once per process and released at exit, so
// that leak checkers see a clean shutdown without tearing down the global configuration that
// other parts of the program may use. Null when fontconfig cannot load its configuration.
std::atomic<FcConfig*> g_config{nullptr};

struct ConfigOwner {
  ConfigOwner() { g_config.store(FcInitLoadConfigAndFonts()); }
  ~ConfigOwner() {
    if (FcConfig* config = g_config.exchange(nullptr)) FcConfigDestroy(config);
  }
};

FcConfig* Fontconfig() {
  static ConfigOwner owner;
  return g_config.load();
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
                                     const FontSpec& spec, int px) {
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  const std::string name = SanitizeUtf8(family);
  if (!name.empty()) {
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  }
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, spec.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, spec.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
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
std::shared_ptr<FontFace> CreateFace(const FontSpec& spec, int px, int draw_px) {
  const auto library = ThreadLibrary();
  FcConfig* config = Fontconfig();
  if (library && config != nullptr) {
    for (const std::string& family : {spec.name, std::string("sans-serif")}) {
      if (auto c = MatchFamily(config, family, spec, px)) {
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
  const int largest = PixelSizeForPoints(std::numeric_limits<double>::infinity());
  const long scaled = std::lround(px * SaneDeviceScale(scale));
  return static_cast<int>(std::clamp<long>(scaled, 1, largest));
}

// Name, 1x pixel size, drawn pixel size, bold, italic.
using CacheKey = std::tuple<std::string, int, int, bool, bool>;

// Beyond this many cached faces, faces nobody else holds are dropped.
constexpr size_t kMaxCachedFaces = 256;

}  // namespace

std::shared_ptr<FontFace> ResolveFont(const FontSpec& spec, double scale) {
  thread_local std::map<CacheKey, std::shared_ptr<FontFace>> cache;
  const int px = PixelSizeForPoints(spec.size);
  const int draw_px = ScaledPixelSize(px, scale);
  CacheKey key{AsciiLower(spec.name), px, draw_px, spec.bold, spec.italic};
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  if (cache.size() >= kMaxCachedFaces) {
    std::erase_if(cache, [](const auto& entry) { return entry.second.use_count() == 1; });
  }
  auto face = CreateFace(spec, px, draw_px);
  cache.emplace(std::move(key), face);
  return face;
}

}  // namespace starquill
