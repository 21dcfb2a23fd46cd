#pragma once
// System colours by index, as controls name them (0x80000000 | index): the desktop provides
// them through its platform, and these are the classic values for those it has no match for.

#include <array>

#include "platform/drawing/color.h"

namespace starquill {

inline constexpr int kSystemColorCount = 31;
inline constexpr int kColorButtonFace = 15;
inline constexpr int kColorButtonHighlight = 20;
inline constexpr int kColor3DLight = 22;

inline constexpr std::array<Color, kSystemColorCount> kClassicSystemColors = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
    RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
    RGB(171, 171, 171), RGB(51, 153, 255),  RGB(255, 255, 255), RGB(240, 240, 240),
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(67, 78, 84),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234),
    RGB(215, 228, 242), RGB(51, 153, 255),  RGB(240, 240, 240)};

// The classic colour of the index; black for an index that names none.
constexpr Color ClassicSystemColor(int index) {
  return index >= 0 && index < kSystemColorCount
             ? kClassicSystemColors[static_cast<std::size_t>(index)]
             : Color{0};
}

}  // namespace starquill
