// The button's life with its host: a new instance, loading and saving its design, and the
// host's ambient changes.

#include "controls/CandyButton.h"
#include "controls/button_colors.h"
#include "platform/drawing/color.h"

namespace starquill {

namespace {
// The body colours a newly placed button and a design without colours start with.
constexpr Color kDefaultHover = RGB(144, 192, 255);
constexpr Color kDefaultBody = RGB(80, 153, 233);
constexpr Color kDefaultBright = RGB(176, 237, 255);
}  // namespace

void CandyButton::InitProperties() {
  // Fields are set directly: a new instance neither notifies nor paints.
  if (!host_.UserMode()) {
    m_ColorButtonHover = kDefaultHover;
    m_ColorButtonUp = kDefaultBody;
    m_ColorButtonDown = kDefaultBody;
    m_ColorBright = kDefaultBright;
    m_Caption = kSurfaceName;
    Picture1.SetPicture(nullptr);
  }
  m_Caption = host_.ExtenderName();
}

void CandyButton::ReadProperties(const PropertyBag& bag) {
  // Straight into the fields: no setter runs, so nothing is clamped, expanded, notified or
  // painted. The first paint comes with the show event.
  Picture1.SetFont(bag.ReadProperty("Font", host_.AmbientFont()));
  m_Caption = bag.ReadProperty("Caption", kSurfaceName);
  m_ForeColor = bag.ReadProperty("ForeColor", int32_t{0});
  m_Picture = bag.ReadProperty("Picture", PictureRef());
  m_PictureAlignment = bag.ReadProperty("PictureAlignment", int32_t{0});
  m_Style = bag.ReadProperty("Style", int32_t{0});
  m_Checked = bag.ReadProperty("Checked", m_Checked);
  m_ColorButtonHover = bag.ReadProperty("ColorButtonHover", kDefaultHover);
  m_ColorButtonUp = bag.ReadProperty("ColorButtonUp", kDefaultBody);
  m_ColorButtonDown = bag.ReadProperty("ColorButtonDown", kDefaultBody);
  m_ColorBright = bag.ReadProperty("ColorBright", kDefaultBright);
  m_BorderBrightness = bag.ReadProperty("BorderBrightness", int32_t{0});
  m_DisplayHand = bag.ReadProperty("DisplayHand", false);
  m_ColorScheme = bag.ReadProperty("ColorScheme", int32_t{0});

  // The pointer kind is fixed here; DisplayHand changed later waits for the next load.
  window_.SetMousePointer(m_DisplayHand ? kPointerCustom : kPointerArrow);
  window_.SetForeColor(PlainColor(m_ForeColor));
  // The caption is printed on the face surface, so it follows the loaded colour too.
  Picture1.SetForeColor(PlainColor(m_ForeColor));
  if (host_.UserMode()) SetUpHoverTracking();
}

void CandyButton::WriteProperties(PropertyBag& bag) const {
  bag.WriteProperty("Font", Picture1.Font(), host_.AmbientFont());
  bag.WriteProperty("Caption", m_Caption, std::string(kSurfaceName));
  bag.WriteProperty("ForeColor", m_ForeColor, int32_t{0});
  bag.WriteProperty("Picture", m_Picture, PictureRef());
  bag.WriteProperty("PictureAlignment", m_PictureAlignment, int32_t{0});
  bag.WriteProperty("Style", m_Style, int32_t{0});
  // The rest is always stored, also when it equals what a new instance starts with.
  bag.WriteProperty("Checked", m_Checked);
  bag.WriteProperty("ColorButtonHover", m_ColorButtonHover);
  bag.WriteProperty("ColorButtonUp", m_ColorButtonUp);
  bag.WriteProperty("ColorButtonDown", m_ColorButtonDown);
  bag.WriteProperty("BorderBrightness", m_BorderBrightness);
  bag.WriteProperty("ColorBright", m_ColorBright);
  bag.WriteProperty("DisplayHand", m_DisplayHand);
  bag.WriteProperty("ColorScheme", m_ColorScheme);
}

void CandyButton::AmbientChanged(std::string_view /*name*/) {
  // Whatever changed, the caption follows the instance's name (notified and repainted).
  SetCaption(host_.ExtenderName());
}

}  // namespace starquill
