#pragma once
// CandyButton: a custom-drawn push button with seven styles (a standard and a flat face, four
// glossy gel faces and a solid one), preset colour schemes, a caption and a picture. Every
// visible change ends in Redraw, which paints the whole button into a hidden face surface and
// presents the result as the background picture of the button's own window.

#include <array>
#include <cstdint>
#include <string>

#include "platform/bitmap.h"
#include "platform/control_host.h"
#include "platform/control_window.h"
#include "platform/gdi.h"
#include "platform/surface.h"

namespace starquill {

// The look a repaint asks for.
enum DrawState : int32_t {
  StateUp = 0,
  StateDown = 1,
  StateFocus = 2,
  StateHover = 3,
  StateChecked = 4,
};

// The nine gloss parameters of a gel style (P0 to P8).
using GelParams = std::array<int32_t, 9>;

class CandyButton {
 public:
  explicit CandyButton(ControlHost& host);
  ~CandyButton();
  CandyButton(const CandyButton&) = delete;
  CandyButton& operator=(const CandyButton&) = delete;

  // The button's own window, and its size in pixels.
  ControlWindow& Window() { return window_; }
  HWND hWnd() const { return window_.hWnd(); }
  float ScaleWidth() const { return window_.ScaleWidth(); }
  float ScaleHeight() const { return window_.ScaleHeight(); }

  // The hidden face surface everything is painted on before it is shown.
  Surface Picture1;

  // Properties. Setters notify the host and repaint as each one requires.
  bool DisplayHand() const { return m_DisplayHand; }
  void SetDisplayHand(bool value);
  int32_t ColorScheme() const { return m_ColorScheme; }
  void SetColorScheme(int32_t value);
  int32_t BorderBrightness() const { return m_BorderBrightness; }
  void SetBorderBrightness(int32_t value);
  int32_t ColorBright() const { return m_ColorBright; }
  void SetColorBright(int32_t value);
  int32_t ColorButtonDown() const { return m_ColorButtonDown; }
  void SetColorButtonDown(int32_t value);
  int32_t ColorButtonUp() const { return m_ColorButtonUp; }
  void SetColorButtonUp(int32_t value);
  int32_t ColorButtonHover() const { return m_ColorButtonHover; }
  void SetColorButtonHover(int32_t value);
  int32_t ForeColor() const { return m_ForeColor; }
  void SetForeColor(int32_t value);
  const PictureRef& Picture() const { return m_Picture; }
  void SetPicture(PictureRef value);
  bool Checked() const { return m_Checked; }
  void SetChecked(bool value);
  int32_t Style() const { return m_Style; }
  void SetStyle(int32_t value);
  int32_t PictureAlignment() const { return m_PictureAlignment; }
  void SetPictureAlignment(int32_t value);
  const std::string& Caption() const { return m_Caption; }
  void SetCaption(std::string value);
  const FontSpec& Font() const { return Picture1.Font(); }
  void SetFont(const FontSpec& value);

  // The radius last given to SetRoundRegion; kept when a style without region is chosen.
  int32_t CornerRadius = 0;

  // The redraw pipeline. Redraw forces the checked look on the caller's state when Checked.
  void Redraw(int32_t& State);
  void UpdateShape();

  // Painters of the body, by style.
  void DrawFaceStandard(int32_t State);
  void DrawFaceFlat(int32_t State);
  void DrawFaceGel(int32_t State);
  void PaintGel(int32_t X0, int32_t Y0, int32_t Wd, int32_t Ht, int32_t C, const GelParams& P);
  void DrawFaceSolid(int32_t State);
  void PaintSolid(int32_t X0, int32_t Y0, int32_t Wd, int32_t Ht, int32_t C);
  // Caption and picture, then presenting the finished face.
  void DrawIconWCaption(int32_t State);

  // The rounded window shape.
  static bool IsInsideCorner(int32_t DX, int32_t Y, int32_t R);
  static bool IsInsideRoundRect(int32_t X, int32_t Y, int32_t X0, int32_t Y0, int32_t Wd,
                                int32_t Ht, int32_t R);
  static void XorRectIntoRegion(HRGN Region, int32_t Left, int32_t Top, int32_t Right,
                                int32_t Bottom);
  void SetRoundRegion(int32_t Wp, int32_t Hp, int32_t R);

 protected:
  // Repaints in a fixed state (the setters' repaint).
  void RedrawAs(DrawState state);
  void Notify(const char* property) { host_.PropertyChanged(property); }
  // Sets one of the four body colours: leaves any preset scheme first.
  void SetBodyColor(int32_t& field, int32_t value, const char* property);
  // The face colour of a gel or solid face in a state; false for a state that paints nothing.
  bool FaceColor(int32_t State, int32_t& C) const;

  ControlHost& host_;
  ControlWindow window_;

  bool m_DisplayHand = false;
  int32_t m_ColorScheme = 0;
  int32_t m_BorderBrightness = 0;
  int32_t m_ColorBright = 0;
  int32_t m_ColorButtonDown = 0;
  int32_t m_ColorButtonUp = 0;
  int32_t m_ColorButtonHover = 0;
  int32_t m_ForeColor = 0;
  PictureRef m_Picture;
  bool m_Checked = false;
  int32_t m_Style = 0;
  int32_t m_PictureAlignment = 0;
  std::string m_Caption;

  bool m_MouseOver = false;
  bool m_HasFocus = false;
};

}  // namespace starquill
