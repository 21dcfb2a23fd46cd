#include "controls/button_colors.h"

#include "platform/hosting/gdi.h"

namespace starquill {

Color PlainColor(int32_t color) {
  COLORREF plain = 0;
  if (OleTranslateColor(static_cast<OLE_COLOR>(color), nullptr, &plain) != S_OK) plain = 0;
  return static_cast<Color>(plain & 0xFFFFFF);
}

void GetRGB(int32_t& R, int32_t& G, int32_t& B, int32_t Color) {
  const int32_t value = PlainColor(Color);
  R = value & 255;
  G = (value >> 8) & 255;
  B = (value >> 16) & 255;
}

int32_t BlendColors(int32_t Color1, int32_t Color2, int32_t& Percentage) {
  Percentage = Clamp(Percentage, 0, 100);
  int32_t r1, g1, b1, r2, g2, b2;
  GetRGB(r1, g1, b1, Color1);
  GetRGB(r2, g2, b2, Color2);
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

int32_t HiWord(int32_t Value) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(Value) >> 16));
}

int32_t LoWord(int32_t Value) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(Value) & 0xFFFF));
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
