#pragma once
// The button's colour model: translating colours that may name system colours, blending two
// colours by a percentage, and the preset colour schemes. Also the clamp the painters and the
// setters share.

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "platform/drawing/color.h"
#include "platform/hosting/control_host.h"

namespace starquill {

// The plain colour a saved colour stands for, by its top byte: 0x00 a plain colour, 0x02 a
// palette-relative one (its plain colour: there is no palette), 0x80 the host's system colour
// of the index in the low bytes. Nothing for any other top byte or a system colour index out
// of range.
std::optional<Color> TranslateColor(int32_t color, const ControlHost& host);

// Color1 blended towards Color2, both plain colours: Percentage 0 gives Color1, 100 gives
// Color2. The percentage is clamped to 0..100 first, and the clamped value is written back to
// the caller's variable.
int32_t BlendColors(int32_t Color1, int32_t Color2, int32_t& Percentage);

// Min when Value < Min, Value when Value <= Max, else Max.
int32_t Clamp(int32_t Value, int32_t Min, int32_t Max);

// A value worked out in 64 bits, held within the 32-bit range.
inline int32_t Fit(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

struct ColorSchemeColors {
  Color ButtonUp, ButtonHover, ButtonDown, Bright;
};
// The preset schemes 1 to 6 (index 0 is unused: custom colours).
extern const std::array<ColorSchemeColors, 7> kColorSchemes;

}  // namespace starquill
