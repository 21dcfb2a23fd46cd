#pragma once
// Where a button's picture and caption go, from the button's size, the picture's and the
// caption's sizes, the alignment and the picture's margin (all in pixels).

#include <cstdint>

namespace starquill {

struct IconCaptionPlace {
  int32_t PX = 0, PY = 0;  // the picture's top-left corner
  int32_t CX = 0, CY = 0;  // the caption's text position
  bool placed = true;      // false: the caption stays wherever the text position stands
};

IconCaptionPlace PlaceIconAndCaption(int32_t alignment, int32_t W, int32_t H, int32_t PW,
                                     int32_t PH, int32_t TW, int32_t TH, int32_t M);

}  // namespace starquill
