// What input does to the button: each event decides a look from a few flags and repaints, and
// raises the button's own events to the host. The pointer's entering and leaving come from
// the window hooks: the button watches its window's moves after the window has handled them,
// and asks the platform for a one-shot notice when the pointer leaves.

#include "controls/CandyButton.h"
#include "controls/button_colors.h"
#include "platform/hosting/input_codes.h"

namespace starquill {
namespace {

constexpr int16_t kEnterKey = 13;
// A move's first parameter during a drag with the left button alone.
constexpr WPARAM kLeftButtonAlone = MouseWParam({kLeftButton, 0});

void Raise(const CandyButton::MouseEvent& event, int16_t& button, int16_t& shift, float& x,
           float& y) {
  if (event) event(button, shift, x, y);
}

}  // namespace

void CandyButton::UserControl_MouseDown(int16_t Button, int16_t Shift, float x, float y) {
  m_HasFocus = true;
  RedrawAs(StateDown);
  Raise(MouseDown, Button, Shift, x, y);
}

void CandyButton::UserControl_MouseMove(int16_t Button, int16_t Shift, float x, float y) {
  Raise(MouseMove, Button, Shift, x, y);
  // Dragged out with the left button: no longer over the button, although the platform has
  // not reported the leave yet.
  if (Button == 1 && (x < 0 || x > ScaleWidth() || y < 0 || y > ScaleHeight())) {
    m_MouseOver = false;
    RedrawAs(StateUp);
  }
}

void CandyButton::UserControl_MouseUp(int16_t Button, int16_t Shift, float x, float y) {
  if (!m_Checked) {
    if (m_MouseOver) {
      RedrawAs(StateHover);
    } else if (m_HasFocus) {
      RedrawAs(StateFocus);
    }
  }
  Raise(MouseUp, Button, Shift, x, y);
}

void CandyButton::UserControl_Click() {
  if (Click) Click();
}

void CandyButton::UserControl_DblClick() {
  RedrawAs(StateDown);
  if (DblClick) DblClick();
}

void CandyButton::UserControl_KeyDown(int16_t KeyCode, int16_t /*Shift*/) {
  if (KeyCode == kEnterKey) UserControl_MouseDown(1, 0, 0, 0);
}

void CandyButton::UserControl_KeyUp(int16_t KeyCode, int16_t /*Shift*/) {
  if (KeyCode == kEnterKey) UserControl_MouseUp(1, 0, 0, 0);
}

void CandyButton::UserControl_EnterFocus() {
  m_HasFocus = true;
  if (!m_Checked && !m_MouseOver) RedrawAs(StateFocus);
}

void CandyButton::UserControl_ExitFocus() {
  m_HasFocus = false;
  if (!m_Checked) RedrawAs(StateUp);
}

void CandyButton::UserControl_Show() {
  RedrawAs(StateUp);
}

void CandyButton::UserControl_Resize() {
  UpdateShape();
}

void CandyButton::UserControl_Terminate() {
  hooks_.sc_StopAll();
}

void CandyButton::PointerEntered() {
  m_MouseOver = true;
  TrackLeave();
  if (MouseEnter) MouseEnter();
  RedrawAs(StateHover);
}

void CandyButton::PointerLeft() {
  m_MouseOver = false;
  if (MouseLeave) MouseLeave();
  if (!m_Checked) RedrawAs(m_HasFocus ? StateFocus : StateUp);
}

// --- Hover tracking ------------------------------------------------------------------------

void CandyButton::SetUpHoverTracking() {
  using Notifier = ControlHost::LeaveNotifier;
  m_TrackAvailable = true;
  m_TrackUser32 = host_.OffersLeaveNotification(Notifier::kUser32);
  if (!m_TrackUser32 && !host_.OffersLeaveNotification(Notifier::kComctl32)) {
    m_TrackAvailable = false;
  }
  // Without a leave notification there is no hover look and no enter or leave events.
  if (!m_TrackAvailable) return;
  hooks_.sc_Subclass(hWnd());
  hooks_.sc_HookMsg(hWnd(), WM_MOUSEMOVE, Subclasser::kPhaseAfter);
  hooks_.sc_HookMsg(hWnd(), WM_MOUSELEAVE, Subclasser::kPhaseAfter);
}

// Either module's function asks the platform for the same notice.
void CandyButton::TrackLeave() {
  if (m_TrackAvailable) window_.SetTrackingLeave(true);
}

void CandyButton::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE: {
      // A drag with the left button alone never starts the hover.
      if (wParam == kLeftButtonAlone || m_MouseOver) return;
      const int32_t x = LoWord(lParam);
      const int32_t y = HiWord(lParam);
      // Strictly inside: the first row and column and the far edges do not count.
      if (x > 0 && y > 0 && x < ScaleWidth() && y < ScaleHeight()) PointerEntered();
      return;
    }
    case WM_MOUSELEAVE:
      PointerLeft();
      return;
    default:
      return;
  }
}

std::vector<MessageHandler> CandyButton::MessageHandlers() {
  return {[this](bool, bool&, int32_t&, HWND, UINT message, WPARAM wParam, LPARAM lParam,
                 int32_t&) { OnWindowMessage(message, wParam, lParam); }};
}

}  // namespace starquill
