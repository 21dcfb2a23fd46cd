#pragma once
// The handful of Win32-style graphics calls the button control makes, on this platform's own
// objects: regions behind handles, device contexts that are drawing surfaces, system colours.
// Handles are checked: a wrong or stale one makes a call fail, never crash.

#include <cstdint>

#include "platform/drawing/region.h"

namespace starquill {

class Surface;

using COLORREF = uint32_t;   // 0x00BBGGRR
using OLE_COLOR = uint32_t;  // a COLORREF, or 0x80000000 | index for a system colour
using HWND = int32_t;        // a control window's handle; 0 is none
using HDC = Surface*;        // a device context is the drawing surface itself
using HPALETTE = void*;
enum class HRGN : uint32_t { kNone = 0 };

// Region calls.
inline constexpr int RGN_AND = 1;
inline constexpr int RGN_OR = 2;
inline constexpr int RGN_XOR = 3;
inline constexpr int RGN_DIFF = 4;
inline constexpr int RGN_COPY = 5;
inline constexpr int ERROR_REGION = 0;  // what CombineRgn returns on failure
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;

HRGN CreateRectRgn(int left, int top, int right, int bottom);
// dest = src1 op src2 (src2 unused for RGN_COPY). Returns the kind of the result, or
// ERROR_REGION for a bad handle or mode.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
bool DeleteObject(HRGN region);
// The region's pixels, for whoever takes it over (a window); nullptr for a bad handle.
const Region* RegionOf(HRGN region);
// Takes the region away from its handle, which is deleted.
bool TakeRegion(HRGN region, Region& into);
// Live region handles, to find leaks in tests.
int RegionHandleCount();

// Gives the window the region (it owns it from then on and deletes the handle), or removes
// its region with HRGN::kNone. Returns nonzero on success; a failed call leaves the handle
// with the caller.
int SetWindowRgn(HWND window, HRGN region, bool redraw);

// Sets one pixel of the device context.
bool SetPixelV(HDC dc, int x, int y, COLORREF color);

// System colours, by index (COLOR_BTNFACE = 15 and so on): the desktop's where the platform
// knows them, fixed defaults otherwise.
inline constexpr int kSystemColorCount = 31;
COLORREF GetSysColor(int index);
void SetSysColor(int index, COLORREF color);

// Translates a colour that may name a system colour into a plain one; S_OK on success.
inline constexpr long S_OK = 0;
inline constexpr long E_INVALIDARG = 0x80070057L;
long OleTranslateColor(OLE_COLOR color, HPALETTE palette, COLORREF* result);

}  // namespace starquill
