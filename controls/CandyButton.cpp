#include "controls/CandyButton.h"

#include "controls/button_colors.h"
#include "platform/support/numbers.h"

#include <cmath>
#include <cstdlib>

namespace starquill {

namespace {
constexpr int kButtonFaceColor = 15;  // the system colour of button faces
}

CandyButton::CandyButton(ControlHost& host) : host_(host) {
  Picture1.SetBackColor(static_cast<Color>(GetSysColor(kButtonFaceColor)));
  ControlWindow::Events& e = window_.events;
  const auto i16 = [](int v) { return static_cast<int16_t>(v); };
  e.MouseDown = [this, i16](int b, int s, float x, float y) {
    UserControl_MouseDown(i16(b), i16(s), x, y);
  };
  e.MouseMove = [this, i16](int b, int s, float x, float y) {
    UserControl_MouseMove(i16(b), i16(s), x, y);
  };
  e.MouseUp = [this, i16](int b, int s, float x, float y) {
    UserControl_MouseUp(i16(b), i16(s), x, y);
  };
  e.Click = [this] { UserControl_Click(); };
  e.DblClick = [this] { UserControl_DblClick(); };
  e.KeyDown = [this, i16](int key, int s) { UserControl_KeyDown(i16(key), i16(s)); };
  e.KeyUp = [this, i16](int key, int s) { UserControl_KeyUp(i16(key), i16(s)); };
  e.GotFocus = [this] { UserControl_EnterFocus(); };
  e.LostFocus = [this] { UserControl_ExitFocus(); };
  e.Show = [this] { UserControl_Show(); };
  e.Resize = [this] { UserControl_Resize(); };
  e.Destroy = [this] { UserControl_Terminate(); };
  // The face is painted at the screen's density, so that the caption is sharp.
  window_.DeviceScaleChanged = [this] { UpdateShape(); };
}

CandyButton::~CandyButton() {
  // Destroyed while the button is whole: the destroy ends the window hooks.
  window_.Destroy();
}

void CandyButton::RedrawAs(DrawState state) {
  int32_t s = state;
  Redraw(s);
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
      SetWindowRgn(hWnd(), HRGN::kNone, true);
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

// --- Rounded shapes ------------------------------------------------------------------------

bool CandyButton::IsInsideCorner(int32_t DX, int32_t Y, int32_t R) {
  const int32_t T = RoundToInt32(static_cast<double>(R) * R - static_cast<double>(DX) * DX);
  if (T < 0) return false;
  const int32_t S = RoundToInt32(std::sqrt(static_cast<double>(T)));
  return std::abs(static_cast<int64_t>(Y) - R) < S;
}

bool CandyButton::IsInsideRoundRect(int32_t X, int32_t Y, int32_t X0, int32_t Y0, int32_t Wd,
                                    int32_t Ht, int32_t R) {
  // In 64 bits: no sum of these can overflow.
  const int64_t u = static_cast<int64_t>(X) - X0;
  const int64_t v = static_cast<int64_t>(Y) - Y0;
  const int64_t w = Wd, h = Ht, r = R;
  const auto corner = [](int64_t dx, int64_t y, int64_t radius) {
    if (dx < INT32_MIN || dx > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return false;
    return IsInsideCorner(static_cast<int32_t>(dx), static_cast<int32_t>(y),
                          static_cast<int32_t>(radius));
  };
  if (r < u && u < w - r && r < v && v < h - r) return true;
  if (u < r && v <= r) return corner(u - r, v, r);
  if (u + r > w && v <= r) return corner(u - w + r, v, r);
  if (u < r && v + r >= h) return corner(u - r, v - h + 2 * r, r);
  if (u + r > w && v + r >= h) return corner(u - w + r, v - h + 2 * r, r);
  return 0 < u && u < w && 0 < v && v < h;
}

}  // namespace starquill
