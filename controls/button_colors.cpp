#include "controls/button_colors.h"

#include "platform/toolkit/system_colors.h"

namespace starquill {

std::optional<Color> TranslateColor(int32_t color, const ControlHost& host) {
  const uint32_t bits = static_cast<uint32_t>(color);
  switch (bits >> 24) {
    case 0x00:
    case 0x02:
      return static_cast<Color>(bits & 0xFFFFFF);
    case 0x80: {
      const uint32_t index = bits & 0xFFFFFF;
      if (index >= static_cast<uint32_t>(kSystemColorCount)) return std::nullopt;
      return host.SystemColor(static_cast<int>(index)) & 0xFFFFFF;
    }
    default:
      return std::nullopt;
  }
}

int32_t BlendColors(int32_t Color1, int32_t Color2, int32_t& Percentage) {
  Percentage = Clamp(Percentage, 0, 100);
  const int32_t r1 = RedOf(Color1), g1 = GreenOf(Color1), b1 = BlueOf(Color1);
  const int32_t r2 = RedOf(Color2), g2 = GreenOf(Color2), b2 = BlueOf(Color2);
  // Integer division truncates toward zero, as the blend needs.
  const int32_t r = r1 + ((r2 - r1) * Percentage) / 100;
  const int32_t g = g1 + ((g2 - g1) * Percentage) / 100;
  const int32_t b = b1 + ((b2 - b1) * Percentage) / 100;
  return RGB(r, g, b);
}

int32_t Clamp(int32_t Value, int32_t Min, int32_t Max) {
  if (Value < Min) return Min;
  if (Value <= Max) return Value;
  return Max;
}

const std::array<ColorSchemeColors, 7> kColorSchemes = {{
    {0, 0, 0, 0},
    {RGB(32, 103, 208), RGB(80, 153, 233), RGB(16, 103, 160), RGB(176, 237, 255)},
    {RGB(96, 144, 208), RGB(0, 96, 224), RGB(80, 128, 169), RGB(250, 250, 255)},
    {RGB(0, 0, 128), RGB(0, 0, 160), RGB(0, 0, 240), RGB(0, 0, 255)},
    {RGB(128, 0, 0), RGB(160, 0, 0), RGB(240, 0, 0), RGB(255, 0, 0)},
    {RGB(0, 128, 0), RGB(0, 160, 0), RGB(0, 192, 0), RGB(0, 255, 0)},
    {RGB(128, 128, 0), RGB(160, 160, 0), RGB(192, 192, 0), RGB(255, 255, 0)},
}};

}  // namespace starquill
