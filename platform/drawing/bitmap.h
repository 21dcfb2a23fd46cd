#pragma once
// Retained images: what a surface hands out as its Image, what it shows as its Picture, and
// the pictures (icons) a control draws.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/drawing/pixel_view.h"

namespace starquill {

struct Bitmap {
  int width = 0;
  int height = 0;
  // Colours 0x00BBGGRR with the pixel's opacity in the top byte (0 transparent, 255 opaque),
  // row by row, top row first.
  std::vector<uint32_t> pixels;
  // The picture's physical size in HIMETRIC units (hundredths of a millimetre, 2540 to the
  // inch); 0 means the size of its pixels at 96 DPI.
  int himetric_width = 0;
  int himetric_height = 0;
  // Device pixels per pixel of the surface the picture was made on: shown, it covers
  // width / scale x height / scale surface pixels. Ordinary pictures have 1.
  double scale = 1;

  bool Valid() const {
    return width >= 0 && height >= 0 &&
           pixels.size() == static_cast<size_t>(width) * static_cast<size_t>(height);
  }
  int HimetricWidth() const;
  int HimetricHeight() const;
};

// Pictures are shared and never change once made.
using PictureRef = std::shared_ptr<const Bitmap>;

// HIMETRIC units and screen pixels at 96 DPI, rounded to the nearest.
int HimetricToPixels(int himetric);
int PixelsToHimetric(int pixels);

// Draws the whole picture, upright, scaled to cx x cy pixels with its top-left corner at
// (x, y), blending each pixel over the target by its opacity. Clipped to the target.
void RenderPicture(const Bitmap& picture, const PixelView& target, int64_t x, int64_t y, int64_t cx,
                   int64_t cy);

}  // namespace starquill
