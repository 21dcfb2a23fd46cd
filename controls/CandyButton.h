#pragma once
// CandyButton: a custom-drawn push button with seven styles (a standard and a flat face, four
// glossy gel faces and a solid one), preset colour schemes, a caption and a picture. Every
// visible change ends in Redraw, which paints the whole button into a hidden face surface and
// presents the result as the background picture of the button's own window.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/subclasser.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/surface.h"
#include "platform/hosting/control_host.h"
#include "platform/hosting/control_window.h"
#include "platform/hosting/property_bag.h"
#include "platform/hosting/window_messages.h"

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

class CandyButton : private ControlEvents, private MessageHandlerOwner {
 public:
  // The name the button's own surface reports: its caption in design mode and the caption's
  // saved default.
  static constexpr const char* kSurfaceName = "CandyButton";

  explicit CandyButton(ControlHost& host);
  ~CandyButton();
  CandyButton(const CandyButton&) = delete;
  CandyButton& operator=(const CandyButton&) = delete;

  // The button's own window.
  ControlWindow& Window() { return window_; }
  const ControlWindow& Window() const { return window_; }
  HWND hWnd() const { return window_.hWnd(); }

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

  // Events raised to the host. The mouse events' arguments are passed by reference: a handler
  // may change them, and the button reads them back after MouseMove.
  using MouseEvent = std::function<void(int16_t& Button, int16_t& Shift, float& x, float& y)>;
  std::function<void(std::string& sStatus)> Status;  // declared; nothing raises it
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> MouseEnter;
  std::function<void()> MouseLeave;
  MouseEvent MouseMove;
  MouseEvent MouseUp;
  MouseEvent MouseDown;

  // Lifecycle, called by the host: a new instance, loading and saving the design, and a
  // change of any ambient property.
  void InitProperties();
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;
  void AmbientChanged(std::string_view name);

  // Paints the button in a state and shows it; the checked look replaces the caller's state
  // when Checked.
  void Redraw(int32_t& State);

 protected:
  // The painting and tracking state below is the button's own; a derived class may inspect it
  // and call the painters directly.

  // The hidden face surface everything is painted on before it is shown.
  Surface Picture1;

  // The radius last given to SetRoundRegion; kept when a style without region is chosen.
  int32_t CornerRadius = 0;

  // Hover tracking, set up when a running form loads the button: whether the host offers a
  // leave-notification function, and whether it is the user-interface module's (else the
  // common controls'). Without one there is no hover look and no MouseEnter or MouseLeave.
  bool m_TrackAvailable = false;
  bool m_TrackUser32 = false;

  bool MouseOver() const { return m_MouseOver; }
  bool HasFocus() const { return m_HasFocus; }

  // A colour as the button paints it: system colours are its host's, and a colour that
  // cannot be translated is black.
  Color PlainColor(int32_t color) const;

  // The gel and solid painters at any place and with any parameters.
  void PaintGel(int32_t X0, int32_t Y0, int32_t Wd, int32_t Ht, int32_t C, const GelParams& P);
  void PaintSolid(int32_t X0, int32_t Y0, int32_t Wd, int32_t Ht, int32_t C);

  // The rounded window shape.
  void SetRoundRegion(int32_t Wp, int32_t Hp, int32_t R);

 private:
  // Input, as the button's window reports it.
  void UserControl_MouseDown(int16_t Button, int16_t Shift, float x, float y) override;
  void UserControl_MouseMove(int16_t Button, int16_t Shift, float x, float y) override;
  void UserControl_MouseUp(int16_t Button, int16_t Shift, float x, float y) override;
  void UserControl_Click() override;
  void UserControl_DblClick() override;
  void UserControl_KeyDown(int16_t KeyCode, int16_t Shift) override;
  void UserControl_KeyUp(int16_t KeyCode, int16_t Shift) override;
  void UserControl_EnterFocus() override;
  void UserControl_ExitFocus() override;
  void UserControl_Show() override;
  void UserControl_Resize() override;
  void UserControl_Terminate() override;
  void DeviceScaleChanged() override;

  // Hover tracking through the window's messages: the pointer entering is seen in its moves,
  // its leaving is reported by a one-shot leave notification.
  void SetUpHoverTracking();
  void TrackLeave();
  void OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
  std::vector<MessageHandler> MessageHandlers() override;

  float ScaleWidth() const { return window_.ScaleWidth(); }
  float ScaleHeight() const { return window_.ScaleHeight(); }
  // Reshapes the window to the style and size, and repaints.
  void UpdateShape();
  // Painters of the body, by style.
  void DrawFaceStandard(int32_t State);
  void DrawFaceFlat(int32_t State);
  void DrawFaceGel(int32_t State);
  void DrawFaceSolid(int32_t State);
  // Caption and picture, then presenting the finished face.
  void DrawIconWCaption(int32_t State);
  // Repaints in a fixed state (the setters' repaint).
  void RedrawAs(DrawState state);
  void Notify(const char* property) { host_.PropertyChanged(property); }
  // Sets one of the four body colours: leaves any preset scheme first.
  void SetBodyColor(int32_t& field, int32_t value, const char* property);
  // The face colour of a gel or solid face in a state; false for a state that paints nothing.
  bool FaceColor(int32_t State, int32_t& C) const;

  // The pointer entered or left (from the window hooks).
  void PointerEntered();
  void PointerLeft();

  ControlHost& host_;
  ControlWindow window_{this};
  ControlWindowHooks hook_windows_{&window_};
  Subclasser hooks_{*this, "CandyButton", host_, hook_windows_};

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
