#pragma once
// Where a window goes on a screen, in the screen's pixels.

#include <algorithm>

namespace starquill {

struct ScreenArea {
  int left = 0, top = 0, width = 0, height = 0;
};

struct Place {
  int left = 0, top = 0;
  friend bool operator==(const Place&, const Place&) = default;
};

// Centres a box of this size in the area, then moves it as little as needed to lie within
// the area. A box larger than the area keeps its top-left corner in it, so that a window's
// title and first controls stay reachable.
inline Place CentredPlace(const ScreenArea& area, int width, int height) {
  const auto axis = [](int start, int extent, int size) {
    const int centred = start + (extent - size) / 2;
    return std::max(start, std::min(centred, start + extent - size));
  };
  return {axis(area.left, area.width, width), axis(area.top, area.height, height)};
}

}  // namespace starquill
