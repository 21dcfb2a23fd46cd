#pragma once
// Where a window goes on a screen, in the screen's pixels.

#include <algorithm>

namespace starquill {

// A rectangle in pixels; one without width or height is none.
struct Area {
  int left = 0, top = 0, width = 0, height = 0;
};

struct Place {
  int left = 0, top = 0;
  friend bool operator==(const Place&, const Place&) = default;
};

// Centres a box of this size in the screen area, then moves it as little as needed to lie
// within the area. A box larger than the area keeps its top-left corner in it, so that a
// window's title and first controls stay reachable, unless a part of the box must be on screen
// (`keep`, relative to the box's top-left corner): then the box moves on, up or left off the
// screen, until that part is wholly on it (its top-left corner first, should the part itself
// be larger than the screen).
inline Place CentredPlace(const Area& area, int width, int height, const Area& keep = {}) {
  const bool keeping = keep.width > 0 && keep.height > 0;
  const auto axis = [keeping](int start, int extent, int size, int partStart, int partSize) {
    const int centred = start + (extent - size) / 2;
    const int fitted = std::max(start, std::min(centred, start + extent - size));
    if (!keeping) return fitted;
    return std::max(start - partStart, std::min(fitted, start + extent - partStart - partSize));
  };
  return {axis(area.left, area.width, width, keep.left, keep.width),
          axis(area.top, area.height, height, keep.top, keep.height)};
}

}  // namespace starquill
