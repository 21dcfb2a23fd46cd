#pragma once
// The desktop's system colours, from the application's palette.

#include "platform/drawing/color.h"

namespace starquill {

// A system colour from the application's palette where it has a match, the classic one
// otherwise (platform/toolkit/system_colors.h); black for an index that names none.
Color DesktopSystemColor(int index);

}  // namespace starquill
