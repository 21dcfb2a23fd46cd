// The last step of every repaint: the caption and the picture are placed on the face by
// PictureAlignment, sink by a pixel while the button is pressed, and the finished face is
// presented as the button window's background.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "controls/CandyButton.h"
#include "controls/button_colors.h"
#include "controls/caption_layout.h"
#include "platform/support/numbers.h"

namespace starquill {

// Places are worked out in 64 bits and held within the 32-bit range (Fit). Text measures are
// capped far below it, so this only bites for sizes where nothing placed could show anyway.
IconCaptionPlace PlaceIconAndCaption(int32_t alignment, int32_t W32, int32_t H32, int32_t PW32,
                                     int32_t PH32, int32_t TW32, int32_t TH32, int32_t M32) {
  const int64_t W = W32, H = H32, PW = PW32, PH = PH32, TW = TW32, TH = TH32, M = M32;
  IconCaptionPlace at;
  switch (alignment) {
    case 0:  // picture above the caption, the pair centred
      at.PX = Fit((W - PW) / 2 + 1);
      at.PY = Fit((H - (PH + TH)) / 2);
      at.CX = Fit(std::abs(W / 2 - TW / 2));
      at.CY = Fit(std::abs(PH / 2 + H / 2 - TH / 2));
      break;
    case 1:  // picture below the caption
      at.PX = Fit((W - PW) / 2);
      at.PY = Fit((H + TH - PH) / 2);
      at.CX = Fit(std::abs(W / 2 - TW / 2));
      at.CY = Fit(std::abs(H / 2 - (PH + TH) / 2));
      break;
    case 2:  // picture at the left edge; the caption stays centred on the button
      at.PX = M32;
      at.PY = Fit((H - PH) / 2);
      at.CX = Fit(std::abs(W / 2 - TW / 2));
      at.CY = Fit(std::abs(H / 2 - TH / 2));
      break;
    case 3:  // picture at the right edge
      at.PX = Fit(W - M - PW);
      at.PY = Fit((H - PH) / 2);
      at.CX = Fit(std::abs(W / 2 - TW / 2));
      at.CY = Fit(std::abs(H / 2 - TH / 2));
      break;
    default:
      at.placed = false;
      break;
  }
  return at;
}

void CandyButton::DrawIconWCaption(int32_t State) {
  Picture1.SetForeColor(PlainColor(m_ForeColor));

  int32_t PW = 0, PH = 0, TW = 0, TH = 0;
  if (m_Picture) {
    PW = HimetricToPixels(m_Picture->HimetricWidth());
    PH = HimetricToPixels(m_Picture->HimetricHeight());
  }
  if (!m_Caption.empty()) {
    TW = RoundToInt32(Picture1.TextWidth(m_Caption));
    TH = RoundToInt32(Picture1.TextHeight(m_Caption));
  }
  const int32_t W = RoundToInt32(ScaleWidth());
  const int32_t H = RoundToInt32(ScaleHeight());
  const int32_t M = CornerRadius != 0 ? CornerRadius : 8;  // the picture's margin

  const IconCaptionPlace at = PlaceIconAndCaption(m_PictureAlignment, W, H, PW, PH, TW, TH, M);
  int32_t PX = at.PX, PY = at.PY;
  if (at.placed) {
    Picture1.SetCurrentX(static_cast<float>(at.CX));
    Picture1.SetCurrentY(static_cast<float>(at.CY));
  }
  if (State == StateDown) {  // pressed: the content sinks
    PX = Fit(int64_t{PX} + 1);
    PY = Fit(int64_t{PY} + 1);
    Picture1.SetCurrentX(Picture1.CurrentX() + 1);
    Picture1.SetCurrentY(Picture1.CurrentY() + 1);
  }

  Picture1.Print(m_Caption);
  if (m_Picture) Picture1.PaintPicture(*m_Picture, PX, PY, PW, PH);
  window_.SetPicture(Picture1.Image());
}

}  // namespace starquill
