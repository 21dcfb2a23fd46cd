#pragma once
// Text through FreeType, with fonts that fontconfig resolves by name. A font that is not
// installed is replaced by fontconfig's substitute; when nothing at all can be loaded, text
// still measures sensibly and simply draws nothing. Resolving never fails.
//
// Measuring and drawing use the same hinting, so a drawn string covers exactly the width
// that was measured. Strings are UTF-8; there is no kerning, as in plain desktop text.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/drawing/color.h"
#include "platform/drawing/font.h"
#include "platform/drawing/pixel_view.h"

namespace starquill {

// The largest text extent handed out, in pixels: exact as a float, and with room for the sums
// and differences callers form from it in 32-bit integers. Longer text measures this much.
inline constexpr int kMaxTextExtent = 1 << 30;

class FontFace {
 public:
  virtual ~FontFace() = default;

  // Vertical metrics in pixels: the baseline lies Ascent() below the top of a line, and a
  // line is Ascent() + Descent() high.
  virtual int Ascent() const = 0;
  virtual int Descent() const = 0;
  int LineHeight() const { return Ascent() + Descent(); }

  // Width in pixels of the text on one line: the sum of its glyphs' advances, held within
  // kMaxTextExtent either way. Measuring never renders a glyph.
  virtual int TextWidth(std::string_view utf8) = 0;

  // The pen position of each code point of the text on a line starting at x: x plus the
  // advances of the glyphs before it. Replaces what `pens` held.
  virtual void PenPositions(std::string_view utf8, int64_t x, std::vector<int64_t>& pens) = 0;

  // Draws the glyph of the k-th code point with its pen at (pens[k], baseline), blended and
  // clipped as Draw does; code points beyond the pens are left out. This lets a face at a
  // device size draw text where the same font at its 1x size laid it out.
  virtual void DrawAtPens(const PixelView& target, std::span<const int64_t> pens, int64_t baseline,
                          std::string_view utf8, Color color) = 0;

  // Draws the text with the top-left corner of its line box at (x, top), anti-aliased over
  // the pixels already there, clipped to the view. Nothing is drawn behind the glyphs, and
  // glyphs wholly outside the view are not rendered.
  void Draw(const PixelView& target, int x, int top, std::string_view utf8, Color color) {
    std::vector<int64_t> pens;
    PenPositions(utf8, x, pens);
    DrawAtPens(target, pens, int64_t{top} + Ascent(), utf8, color);
  }
};

// The face for a font description, drawn `scale` times as large: the font file is the one
// chosen for the 1x pixel size px, loaded at round(px * scale) pixels (the scale is kept sane
// as device scales are). Shared and cached per thread (FreeType faces are not thread-safe).
std::shared_ptr<FontFace> ResolveFont(const FontSpec& font, double scale = 1);

}  // namespace starquill
