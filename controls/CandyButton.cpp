#include "controls/CandyButton.h"

#include "controls/button_colors.h"
#include "platform/support/numbers.h"
#include "platform/toolkit/system_colors.h"

namespace starquill {

CandyButton::CandyButton(ControlHost& host) : host_(host) {
  Picture1.SetBackColor(host_.SystemColor(kColorButtonFace));
}

void CandyButton::DeviceScaleChanged() {
  // The face is painted at the screen's density, so that the caption is sharp.
  UpdateShape();
}

CandyButton::~CandyButton() {
  // Destroyed while the button is whole: the destroy ends the window hooks.
  window_.Destroy();
}

void CandyButton::RedrawAs(DrawState state) {
  int32_t s = state;
  Redraw(s);
}

Color CandyButton::PlainColor(int32_t color) const {
  return TranslateColor(color, host_).value_or(0);
}

// --- Properties ----------------------------------------------------------------------------

void CandyButton::SetDisplayHand(bool value) {
  m_DisplayHand = value;
}

void CandyButton::SetColorScheme(int32_t value) {
  if (value >= 1 && value <= 6) {
    const ColorSchemeColors& scheme = kColorSchemes[static_cast<size_t>(value)];
    SetColorButtonUp(scheme.ButtonUp);
    SetColorButtonHover(scheme.ButtonHover);
    SetColorButtonDown(scheme.ButtonDown);
    SetColorBright(scheme.Bright);
  }
  // Stored after the four colours, whose setters leave any scheme.
  m_ColorScheme = value;
  Notify("m_ColorScheme");
  RedrawAs(StateUp);
}

void CandyButton::SetBorderBrightness(int32_t value) {
  m_BorderBrightness = Clamp(value, -100, 100);
  Notify("m_BorderBrightness");
  RedrawAs(StateUp);
}

void CandyButton::SetBodyColor(int32_t& field, int32_t value, const char* property) {
  field = value;
  if (m_ColorScheme != 0) {
    m_ColorScheme = 0;
    Notify("m_ColorScheme");
  }
  Notify(property);
  RedrawAs(StateUp);
}

void CandyButton::SetColorBright(int32_t value) {
  SetBodyColor(m_ColorBright, value, "m_ColorBright");
}
void CandyButton::SetColorButtonDown(int32_t value) {
  SetBodyColor(m_ColorButtonDown, value, "m_ColorButtonDown");
}
void CandyButton::SetColorButtonUp(int32_t value) {
  SetBodyColor(m_ColorButtonUp, value, "m_ColorButtonUp");
}
void CandyButton::SetColorButtonHover(int32_t value) {
  SetBodyColor(m_ColorButtonHover, value, "m_ColorButtonHover");
}

void CandyButton::SetForeColor(int32_t value) {
  m_ForeColor = value;
  Picture1.SetForeColor(PlainColor(value));
  Notify("ForeColor");
  RedrawAs(StateUp);
}

void CandyButton::SetPicture(PictureRef value) {
  m_Picture = std::move(value);
  Notify("Picture");
  RedrawAs(StateUp);
}

void CandyButton::SetChecked(bool value) {
  m_Checked = value;
  RedrawAs(value ? StateChecked : m_MouseOver ? StateHover : StateUp);
  Notify("Checked");
}

void CandyButton::SetStyle(int32_t value) {
  if (value == m_Style) return;
  m_Style = value;
  Notify("Style");
  UpdateShape();
}

void CandyButton::SetPictureAlignment(int32_t value) {
  if (value == m_PictureAlignment) return;
  m_PictureAlignment = value;
  Notify("PictureAlignment");
  RedrawAs(StateUp);
}

void CandyButton::SetCaption(std::string value) {
  m_Caption = std::move(value);
  Notify("Caption");
  RedrawAs(StateUp);
}

void CandyButton::SetFont(const FontSpec& value) {
  Picture1.SetFont(value);
  Notify("Font");
  RedrawAs(StateUp);
}

// --- Redraw pipeline -----------------------------------------------------------------------

void CandyButton::Redraw(int32_t& State) {
  if (m_Checked) State = StateChecked;
  switch (m_Style) {
    case 0:
      DrawFaceStandard(State);
      break;
    case 1:
      DrawFaceFlat(State);
      break;
    case 2:
    case 3:
    case 4:
    case 5:
      DrawFaceGel(State);
      break;
    case 6:
      DrawFaceSolid(State);
      break;
    default:  // no body
      break;
  }
  DrawIconWCaption(State);
  // Start the next paint from a clean face.
  Picture1.SetPicture(nullptr);
}

void CandyButton::UpdateShape() {
  const int32_t W = RoundToInt32(ScaleWidth());
  const int32_t H = RoundToInt32(ScaleHeight());
  switch (m_Style) {
    case 2:
    case 4:
    case 5:  // pill: half circles at the ends
      SetRoundRegion(W - 1, H - 1, Clamp(H / 2, 0, W / 2));
      break;
    case 3:
      SetRoundRegion(W - 1, H - 1, 12);
      break;
    case 6:
      SetRoundRegion(W - 1, H - 1, Clamp(H / 3, 0, W / 3));
      break;
    default:  // a plain rectangle; CornerRadius stays as it was
      window_.SetWindowRegion(std::nullopt);
      break;
  }
  Picture1.SetPicture(nullptr);
  Picture1.SetDeviceScale(window_.DeviceScale());
  Picture1.Move(0, 0, static_cast<float>(W), static_cast<float>(H));
  RedrawAs(StateUp);
}

bool CandyButton::FaceColor(int32_t State, int32_t& C) const {
  switch (State) {
    case StateUp:
    case StateFocus:
      C = m_ColorButtonUp;
      return true;
    case StateDown:
    case StateChecked:
      C = m_ColorButtonDown;
      return true;
    case StateHover:
      C = m_ColorButtonHover;
      return true;
    default:
      return false;
  }
}

}  // namespace starquill
