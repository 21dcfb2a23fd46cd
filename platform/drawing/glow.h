#pragma once
// The glow of what is lit on a surface: every lit point bleeds a soft halo into the surface's
// backdrop, over a uniform sky light. The halo is worked out on a grid of cells a few device
// pixels wide (the light of a cell's points summed, then blurred) and spread back over the
// device pixels smoothly, and only in the blocks of cells near something lit: the work grows
// with what is lit, not with the size of the surface.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/drawing/color.h"
#include "platform/drawing/surface.h"

namespace starquill {

class Glow {
 public:
  // How bright a halo is against the light that makes it.
  static constexpr float kGain = 0.55f;

  // Gathers the points drawn on the surface since its last clear and paints their halo over
  // `skyLight` into the surface's backdrop, marking there what changed since the last update:
  // the surface's next Cls shows it. `cellPixels` is the side of a cell in device pixels
  // (at least 1); a new cell size, like a new store, paints the backdrop whole.
  void Update(Surface& surface, Color skyLight, int cellPixels);

 private:
  // Blocks of kBlockCells x kBlockCells cells, the unit of the work; the blur reaches at most
  // one block further.
  static constexpr int kBlockCells = 8;
  static constexpr int kBlurRadius = 3;  // cells

  struct Rgb {
    float r = 0, g = 0, b = 0;
  };

  void Reset(const Surface& surface, int cellPixels);
  void Gather(Surface& surface);
  void Blur();
  void Compose(Surface& surface, Color skyLight, bool everywhere);
  void ComposeSpan(const PixelView& backdrop, Color skyLight, int x0, int x1, int y0, int y1);
  // Flags the blocks within one block of a flagged one.
  void Spread(const std::vector<uint8_t>& from, std::vector<uint8_t>& to, bool vertically) const;
  Rgb& Cell(std::vector<Rgb>& grid, int x, int y) {
    return grid[size_t(y) * size_t(cells_x_) + size_t(x)];
  }

  uint64_t store_version_ = 0;
  int cell_ = 0;
  int device_width_ = 0, device_height_ = 0;
  int cells_x_ = 0, cells_y_ = 0;
  int blocks_x_ = 0, blocks_y_ = 0;
  bool painted_ = false;
  Color light_ = 0;          // the sky light the backdrop holds
  std::vector<Rgb> lit_;     // the light gathered per cell
  std::vector<Rgb> across_;  // blurred across
  std::vector<Rgb> halo_;    // blurred both ways
  std::vector<uint8_t> gathered_, blurred_across_, haloed_, haloed_before_;  // per block
  std::vector<uint8_t> shows_halo_;  // per block: the backdrop holds a halo there
  std::vector<float> peak_;          // per block: the brightest channel of its halo
  std::vector<float> kernel_;
  std::array<std::array<std::vector<float>, 3>, 2> spread_;  // two cell rows over a span
  std::vector<int>
      cell_of_x_;  // per device column: the cell to its left of the two it lies between
  std::vector<float> share_of_x_;  // and how far towards the right one
};

}  // namespace starquill
