#pragma once
// Window messages: what goes through a control window's chain of procedures. The window's own
// procedure turns them into its control's events; hooks in front of it route them by number.

#include <algorithm>
#include <cstdint>

#include "platform/hosting/input_codes.h"

namespace starquill {

using HWND = int32_t;  // a control window's handle; 0 is none
using UINT = uint32_t;
using WPARAM = int32_t;
using LPARAM = int32_t;
using LRESULT = int32_t;

inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;  // 512
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;  // 675

// A mouse message's first parameter holds the buttons in its low byte and the keys in the
// next, so that a drag with the left button alone is 1.
constexpr WPARAM MouseWParam(MouseKeys keys) {
  return (keys.buttons & 0xFF) | (keys.shift & 0xFF) << 8;
}
constexpr MouseKeys MouseKeysOf(WPARAM wParam) {
  return {wParam & 0xFF, (wParam >> 8) & 0xFF};
}

// A mouse message's second parameter: x in the low and y in the high 16 bits, each signed.
constexpr LPARAM MakeMouseLParam(int x, int y) {
  const uint32_t lo = static_cast<uint16_t>(static_cast<int16_t>(std::clamp(x, -32768, 32767)));
  const uint32_t hi = static_cast<uint16_t>(static_cast<int16_t>(std::clamp(y, -32768, 32767)));
  return static_cast<LPARAM>(lo | (hi << 16));
}

// The low and the high 16 bits of a message parameter, each as a signed 16-bit number: a mouse
// message's x and y.
constexpr int32_t LoWord(int32_t Value) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(Value) & 0xFFFF));
}
constexpr int32_t HiWord(int32_t Value) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(Value) >> 16));
}

}  // namespace starquill
