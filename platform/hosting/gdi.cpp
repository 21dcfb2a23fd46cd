#include "platform/hosting/gdi.h"

#include <array>
#include <map>

#include "platform/drawing/color.h"
#include "platform/drawing/surface.h"
#include "platform/hosting/control_window.h"

namespace starquill {
namespace {

std::map<uint32_t, Region>& Regions() {
  static std::map<uint32_t, Region> regions;
  return regions;
}

uint32_t g_next_region = 1;

Region* Find(HRGN handle) {
  const auto it = Regions().find(static_cast<uint32_t>(handle));
  return it == Regions().end() ? nullptr : &it->second;
}

int KindOf(const Region& region) {
  if (region.Empty()) return NULLREGION;
  const Region::Bounds b = region.Box();
  return region == Region::Rectangle(b.left, b.top, b.right, b.bottom) ? SIMPLEREGION
                                                                       : COMPLEXREGION;
}

// The classic desktop palette, for system colours the platform does not report.
std::array<COLORREF, kSystemColorCount>& SystemColors() {
  static std::array<COLORREF, kSystemColorCount> colors = {
      RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
      RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
      RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
      RGB(171, 171, 171), RGB(51, 153, 255),  RGB(255, 255, 255), RGB(240, 240, 240),
      RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(67, 78, 84),
      RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
      RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234),
      RGB(215, 228, 242), RGB(51, 153, 255),  RGB(240, 240, 240)};
  return colors;
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  const uint32_t handle = g_next_region++;
  Regions()[handle] = Region::Rectangle(left, top, right, bottom);
  return static_cast<HRGN>(handle);
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  Region* to = Find(dest);
  const Region* a = Find(src1);
  const Region* b = mode == RGN_COPY ? a : Find(src2);
  if (to == nullptr || a == nullptr || b == nullptr) return ERROR_REGION;
  Region result = *a;
  switch (mode) {
    case RGN_AND:
      result.Intersect(*b);
      break;
    case RGN_OR:
      result.Union(*b);
      break;
    case RGN_XOR:
      result.Xor(*b);
      break;
    case RGN_DIFF:
      result.Subtract(*b);
      break;
    case RGN_COPY:
      break;
    default:
      return ERROR_REGION;
  }
  *to = std::move(result);
  return KindOf(*to);
}

bool DeleteObject(HRGN region) {
  return Regions().erase(static_cast<uint32_t>(region)) == 1;
}

const Region* RegionOf(HRGN region) {
  return Find(region);
}

bool TakeRegion(HRGN region, Region& into) {
  Region* found = Find(region);
  if (found == nullptr) return false;
  into = std::move(*found);
  DeleteObject(region);
  return true;
}

int RegionHandleCount() {
  return static_cast<int>(Regions().size());
}

int SetWindowRgn(HWND window, HRGN region, bool /*redraw: the window always repaints*/) {
  ControlWindow* target = ControlWindow::FromHandle(window);
  if (target == nullptr) return 0;
  if (region == HRGN::kNone) {
    target->SetWindowRegion(std::nullopt);
    return 1;
  }
  Region taken;
  if (!TakeRegion(region, taken)) return 0;
  target->SetWindowRegion(std::move(taken));
  return 1;
}

bool SetPixelV(HDC dc, int x, int y, COLORREF color) {
  if (dc == nullptr) return false;
  dc->SetPixelV(x, y, static_cast<Color>(color & 0xFFFFFF));
  return x >= 0 && y >= 0 && x < dc->PixelWidth() && y < dc->PixelHeight();
}

COLORREF GetSysColor(int index) {
  return index >= 0 && index < kSystemColorCount ? SystemColors()[static_cast<size_t>(index)] : 0;
}

void SetSysColor(int index, COLORREF color) {
  if (index >= 0 && index < kSystemColorCount) SystemColors()[static_cast<size_t>(index)] = color;
}

long OleTranslateColor(OLE_COLOR color, HPALETTE /*palette*/, COLORREF* result) {
  COLORREF translated = 0;
  switch (color >> 24) {
    case 0x00:  // a plain colour
    case 0x02:  // a palette-relative colour is its plain colour without a palette
      translated = color & 0xFFFFFF;
      break;
    case 0x80: {
      const uint32_t index = color & 0xFFFFFF;
      if (index >= static_cast<uint32_t>(kSystemColorCount)) return E_INVALIDARG;
      translated = GetSysColor(static_cast<int>(index));
      break;
    }
    default:
      return E_INVALIDARG;
  }
  if (result != nullptr) *result = translated;
  return S_OK;
}

}  // namespace starquill
