#pragma once
// The button's colour model: translating colours that may name system colours, blending two
// colours by a percentage, and the preset colour schemes. Also the small integer helpers the
// painters and the message handling share.

#include <array>
#include <cstdint>

#include "platform/drawing/color.h"

namespace starquill {

// Translates Color (which may name a system colour) and splits it into its channels. A colour
// that cannot be translated gives black.
void GetRGB(int32_t& R, int32_t& G, int32_t& B, int32_t Color);

// Color1 blended towards Color2: Percentage 0 gives Color1, 100 gives Color2. The percentage is
// clamped to 0..100 first, and the clamped value is written back to the caller's variable.
int32_t BlendColors(int32_t Color1, int32_t Color2, int32_t& Percentage);

// Min when Value < Min, Value when Value <= Max, else Max.
int32_t Clamp(int32_t Value, int32_t Min, int32_t Max);

// The high and the low 16 bits of a message parameter, each as a signed 16-bit number.
int32_t HiWord(int32_t Value);
int32_t LoWord(int32_t Value);

// A colour as a plain 0x00BBGGRR value (system colours translated, failures black).
Color PlainColor(int32_t color);

struct ColorSchemeColors {
  Color ButtonUp, ButtonHover, ButtonDown, Bright;
};
// The preset schemes 1 to 6 (index 0 is unused: custom colours).
extern const std::array<ColorSchemeColors, 7> kColorSchemes;

}  // namespace starquill
