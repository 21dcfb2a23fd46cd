#pragma once
// The description of a font as surfaces and controls hold it.

#include <string>

namespace starquill {

struct FontSpec {
  std::string name = "Arial";
  double size = 8.25;  // points, at 96 dots per inch
  bool bold = false;
  bool italic = false;

  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The largest pixel size text is drawn at: far beyond any sensible text, yet small enough that
// glyph bitmaps stay manageable.
inline constexpr int kMaxPixelSize = 2000;

// Desktop text rounds a point size to whole pixels at 96 DPI (8.25 pt = 11 px, 36 pt = 48 px);
// the smallest size is one pixel.
int PixelSizeForPoints(double points);

}  // namespace starquill
