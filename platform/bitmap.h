#pragma once
// A retained image: what a surface hands out as its Image and shows as its Picture.

#include <cstdint>
#include <memory>
#include <vector>

namespace starquill {

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // colours 0x00BBGGRR, row by row, top row first
};

// Pictures are shared and never change once made.
using PictureRef = std::shared_ptr<const Bitmap>;

}  // namespace starquill
