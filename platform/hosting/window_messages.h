#pragma once
// The window message layer of control windows, in the Win32 style the button control is
// written against: messages and their parameters, replaceable window procedures, sending a
// message through a window's current procedure, window handles and their owning process,
// loaded modules and their exported functions, and the one-shot leave notification.
// Procedures are functions registered with the platform; a procedure "address" is the number
// under which it is registered. Bad handles and unknown procedures make calls fail, never
// crash.

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/hosting/gdi.h"

namespace starquill {

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

// The key and button state in a mouse message's first parameter.
inline constexpr WPARAM MK_LBUTTON = 0x01;
inline constexpr WPARAM MK_RBUTTON = 0x02;
inline constexpr WPARAM MK_SHIFT = 0x04;
inline constexpr WPARAM MK_CONTROL = 0x08;
inline constexpr WPARAM MK_MBUTTON = 0x10;

// Packs a position into a mouse message's second parameter: x low, y high, each 16-bit signed.
LPARAM MakeMouseLParam(int x, int y);

// Window procedures.
using WindowProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
using WNDPROC = int32_t;  // the number a procedure is registered under; never 0
inline constexpr int GWL_WNDPROC = -4;

WNDPROC RegisterWindowProc(WindowProc proc);
void UnregisterWindowProc(WNDPROC proc);
// Replaces the window's procedure (index GWL_WNDPROC) and returns the one it had; 0 on
// failure (a bad handle, index or procedure), with the reason for GetLastError.
int32_t SetWindowLongA(HWND window, int index, int32_t newValue);
// Calls the procedure; 0 for an unknown one.
LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sends the message through the window's current procedure; 0 for a bad handle.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool IsWindow(HWND window);
// The thread that owns the window (always 1 here: one user-interface thread), and its process.
uint32_t GetWindowThreadProcessId(HWND window, uint32_t* processId);
uint32_t GetCurrentProcessId();

inline constexpr uint32_t ERROR_INVALID_WINDOW_HANDLE = 1400;
inline constexpr uint32_t ERROR_INVALID_INDEX = 1413;
inline constexpr uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr uint32_t ERROR_MOD_NOT_FOUND = 126;
inline constexpr uint32_t ERROR_PROC_NOT_FOUND = 127;
uint32_t GetLastError();
void SetLastError(uint32_t error);

// Modules and their exported functions, by name without regard to case. "user32" and
// "kernel32" are loaded from the start; "comctl32" can be loaded.
using HMODULE = int32_t;  // 0 is none
HMODULE GetModuleHandleA(std::string_view name);
HMODULE LoadLibraryA(std::string_view name);
bool FreeLibrary(HMODULE module);
// Non-zero when the module exports the function.
intptr_t GetProcAddress(HMODULE module, std::string_view function);
// Tests take exported functions away (and give them back) to run without them.
void SetExportAvailable(std::string_view module, std::string_view function, bool available);

// Leave notification: once asked for, the window receives WM_MOUSELEAVE a single time when the
// pointer leaves it.
inline constexpr uint32_t TME_LEAVE = 0x00000002;
struct TRACKMOUSEEVENT {
  uint32_t cbSize;
  uint32_t dwFlags;
  HWND hwndTrack;
  uint32_t dwHoverTime;
};
bool TrackMouseEvent(TRACKMOUSEEVENT* track);
bool _TrackMouseEvent(TRACKMOUSEEVENT* track);  // the same, as the common-controls module offers it

}  // namespace starquill
