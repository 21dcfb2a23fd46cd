#pragma once
// Text through FreeType, with fonts that fontconfig resolves by name. A font that is not
// installed is replaced by fontconfig's substitute; when nothing at all can be loaded, text
// still measures sensibly and simply draws nothing. Resolving never fails.
//
// Measuring and drawing use the same hinting, so a drawn string covers exactly the width
// that was measured. Strings are UTF-8; there is no kerning, as in plain desktop text.

#include <memory>
#include <string_view>

#include "platform/color.h"
#include "platform/font.h"
#include "platform/pixel_view.h"

namespace starquill {

class FontFace {
 public:
  virtual ~FontFace() = default;

  // Vertical metrics in pixels: the baseline lies Ascent() below the top of a line, and a
  // line is Ascent() + Descent() high.
  virtual int Ascent() const = 0;
  virtual int Descent() const = 0;
  int LineHeight() const { return Ascent() + Descent(); }

  // Width in pixels of the text on one line: the sum of its glyphs' advances.
  virtual int TextWidth(std::string_view utf8) = 0;

  // Draws the text with the top-left corner of its line box at (x, top), anti-aliased over
  // the pixels already there, clipped to the view. Nothing is drawn behind the glyphs.
  virtual void Draw(const PixelView& target, int x, int top, std::string_view utf8,
                    Color color) = 0;
};

// The face for a font description, shared and cached per thread (FreeType faces are not
// thread-safe).
std::shared_ptr<FontFace> ResolveFont(const FontSpec& spec);

}  // namespace starquill
