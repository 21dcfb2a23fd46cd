#include "platform/drawing/glow.h"

#include <algorithm>
#include <cmath>

#include "platform/drawing/device_scale.h"
#include "platform/drawing/pixel_view.h"

namespace starquill {
namespace {

constexpr float kBlurSigma = 1.3f;  // cells

int CeilDiv(int a, int b) {
  return (a + b - 1) / b;
}

}  // namespace

void Glow::Reset(const Surface& surface, int cellPixels) {
  store_version_ = surface.StoreVersion();
  cell_ = cellPixels;
  device_width_ = surface.DeviceWidth();
  device_height_ = surface.DeviceHeight();
  cells_x_ = CeilDiv(device_width_, cell_);
  cells_y_ = CeilDiv(device_height_, cell_);
  blocks_x_ = CeilDiv(cells_x_, kBlockCells);
  blocks_y_ = CeilDiv(cells_y_, kBlockCells);
  const size_t cells = size_t(cells_x_) * size_t(cells_y_);
  const size_t blocks = size_t(blocks_x_) * size_t(blocks_y_);
  lit_.assign(cells, {});
  across_.assign(cells, {});
  halo_.assign(cells, {});
  gathered_.assign(blocks, 0);
  blurred_across_.assign(blocks, 0);
  haloed_.assign(blocks, 0);
  haloed_before_.assign(blocks, 0);
  shows_halo_.assign(blocks, 0);
  peak_.assign(blocks, 0);
  kernel_.resize(2 * kBlurRadius + 1);
  float sum = 0;
  for (int k = -kBlurRadius; k <= kBlurRadius; ++k) {
    const float w = std::exp(-float(k * k) / (2 * kBlurSigma * kBlurSigma));
    kernel_[size_t(k + kBlurRadius)] = w;
    sum += w;
  }
  for (float& w : kernel_)
    w /= sum;
  // Each device pixel lies between the centres of two cells: the one to its left and how far
  // towards the next, so that the halo spreads over the pixels without steps.
  cell_of_x_.resize(size_t(device_width_));
  share_of_x_.resize(size_t(device_width_));
  for (int x = 0; x < device_width_; ++x) {
    const float u = (float(x) + 0.5f) / float(cell_) - 0.5f;
    const int i = std::clamp(int(std::floor(u)), 0, std::max(cells_x_ - 2, 0));
    cell_of_x_[size_t(x)] = i;
    share_of_x_[size_t(x)] = std::clamp(u - float(i), 0.0f, 1.0f);
  }
  painted_ = false;
}

void Glow::Gather(Surface& surface) {
  const uint32_t* bits = surface.Bits();
  const auto add = [&](int dx, int dy, float weight) {
    const uint32_t pixel = bits[size_t(dy) * size_t(device_width_) + size_t(dx)];
    if ((pixel & kColorMask) == 0) return;
    const int cx = dx / cell_, cy = dy / cell_;
    Rgb& cell = Cell(lit_, cx, cy);
    cell.r += float((pixel >> 16) & 0xFF) * weight;
    cell.g += float((pixel >> 8) & 0xFF) * weight;
    cell.b += float(pixel & 0xFF) * weight;
    gathered_[size_t(cy / kBlockCells) * size_t(blocks_x_) + size_t(cx / kBlockCells)] = 1;
  };
  if (surface.DrawnEverywhere()) {
    // Too much was drawn to keep the points: whatever differs from the backdrop is lit.
    const uint32_t* backdrop = surface.Backdrop().bits;
    for (int dy = 0; dy < device_height_; ++dy) {
      for (int dx = 0; dx < device_width_; ++dx) {
        const size_t i = size_t(dy) * size_t(device_width_) + size_t(dx);
        if (bits[i] != backdrop[i]) add(dx, dy, 1);
      }
    }
    return;
  }
  const int steps = ScaleSteps(surface.DeviceScale());
  for (const uint32_t point : surface.DrawnPoints()) {
    const int64_t x = point & 0xFFFF, y = point >> 16;
    const int64_t x0 = DeviceEdge(x, steps), x1 = DeviceEdge(x + 1, steps);
    const int64_t y0 = DeviceEdge(y, steps), y1 = DeviceEdge(y + 1, steps);
    // A point covers its block of device pixels: it gives as much light as it covers.
    if (x1 > x0 && y1 > y0 && x0 < device_width_ && y0 < device_height_) {
      add(int(x0), int(y0), float((x1 - x0) * (y1 - y0)));
    }
  }
}

void Glow::Spread(const std::vector<uint8_t>& from, std::vector<uint8_t>& to,
                  bool vertically) const {
  std::fill(to.begin(), to.end(), uint8_t{0});
  for (int by = 0; by < blocks_y_; ++by) {
    for (int bx = 0; bx < blocks_x_; ++bx) {
      if (!from[size_t(by) * size_t(blocks_x_) + size_t(bx)]) continue;
      for (int y = std::max(by - (vertically ? 1 : 0), 0);
           y <= std::min(by + (vertically ? 1 : 0), blocks_y_ - 1); ++y) {
        for (int x = std::max(bx - 1, 0); x <= std::min(bx + 1, blocks_x_ - 1); ++x)
          to[size_t(y) * size_t(blocks_x_) + size_t(x)] = 1;
      }
    }
  }
}

void Glow::Blur() {
  // Across, in the blocks beside what was gathered; then down, in the blocks around it. The
  // buffers are left zero outside the blocks in use, so that nothing stale is read.
  Spread(gathered_, blurred_across_, false);
  const auto forEachCell = [&](const std::vector<uint8_t>& blocks, auto visit) {
    for (int by = 0; by < blocks_y_; ++by) {
      for (int bx = 0; bx < blocks_x_; ++bx) {
        if (!blocks[size_t(by) * size_t(blocks_x_) + size_t(bx)]) continue;
        const int x1 = std::min((bx + 1) * kBlockCells, cells_x_);
        const int y1 = std::min((by + 1) * kBlockCells, cells_y_);
        for (int y = by * kBlockCells; y < y1; ++y) {
          for (int x = bx * kBlockCells; x < x1; ++x)
            visit(x, y);
        }
      }
    }
  };
  forEachCell(blurred_across_, [&](int x, int y) {
    Rgb sum;
    for (int k = std::max(-kBlurRadius, -x); k <= std::min(kBlurRadius, cells_x_ - 1 - x); ++k) {
      const Rgb& c = Cell(lit_, x + k, y);
      const float w = kernel_[size_t(k + kBlurRadius)];
      sum.r += c.r * w;
      sum.g += c.g * w;
      sum.b += c.b * w;
    }
    Cell(across_, x, y) = sum;
  });
  forEachCell(gathered_, [&](int x, int y) { Cell(lit_, x, y) = {}; });
  std::fill(gathered_.begin(), gathered_.end(), uint8_t{0});

  forEachCell(haloed_before_, [&](int x, int y) { Cell(halo_, x, y) = {}; });
  Spread(blurred_across_, haloed_, true);
  std::fill(peak_.begin(), peak_.end(), 0.0f);
  forEachCell(haloed_, [&](int x, int y) {
    Rgb sum;
    for (int k = std::max(-kBlurRadius, -y); k <= std::min(kBlurRadius, cells_y_ - 1 - y); ++k) {
      const Rgb& c = Cell(across_, x, y + k);
      const float w = kernel_[size_t(k + kBlurRadius)];
      sum.r += c.r * w;
      sum.g += c.g * w;
      sum.b += c.b * w;
    }
    Cell(halo_, x, y) = sum;
    float& peak = peak_[size_t(y / kBlockCells) * size_t(blocks_x_) + size_t(x / kBlockCells)];
    peak = std::max({peak, sum.r, sum.g, sum.b});
  });
  forEachCell(blurred_across_, [&](int x, int y) { Cell(across_, x, y) = {}; });
}

namespace {

// out = upper + (lower - upper) * share, per channel, rounded and capped, as stored pixels.
void BlendRows(const std::array<std::vector<float>, 3>& upper,
               const std::array<std::vector<float>, 3>& lower, float share,
               uint32_t* __restrict out, size_t width) {
  const float* __restrict ur = upper[0].data();
  const float* __restrict ug = upper[1].data();
  const float* __restrict ub = upper[2].data();
  const float* __restrict lr = lower[0].data();
  const float* __restrict lg = lower[1].data();
  const float* __restrict lb = lower[2].data();
  for (size_t k = 0; k < width; ++k) {
    const int r = int(std::min(ur[k] + (lr[k] - ur[k]) * share + 0.5f, 255.0f));
    const int g = int(std::min(ug[k] + (lg[k] - ug[k]) * share + 0.5f, 255.0f));
    const int b = int(std::min(ub[k] + (lb[k] - ub[k]) * share + 0.5f, 255.0f));
    out[k] = kOpaque | uint32_t(r << 16 | g << 8 | b);
  }
}

}  // namespace

void Glow::ComposeSpan(const PixelView& backdrop, Color skyLight, int x0, int x1, int y0, int y1) {
  // The halo of each cell row is spread over the span's pixels once (with the light and the
  // gain in it), and each pixel row is a blend of the two cell rows around it: the blend runs
  // over contiguous rows, which the compiler turns into vector code.
  const size_t width = size_t(x1 - x0);
  for (auto& row : spread_)
    for (auto& channel : row)
      channel.resize(width);
  const float light[3] = {float(RedOf(skyLight)), float(GreenOf(skyLight)),
                          float(BlueOf(skyLight))};
  const auto spreadRow = [&](int j, std::array<std::vector<float>, 3>& out) {
    const Rgb* cells = &halo_[size_t(j) * size_t(cells_x_)];
    for (size_t k = 0; k < width; ++k) {
      const int x = x0 + int(k);
      const int i0 = cell_of_x_[size_t(x)];
      const int i1 = std::min(i0 + 1, cells_x_ - 1);
      const float f = share_of_x_[size_t(x)];
      out[0][k] = light[0] + kGain * (cells[i0].r + (cells[i1].r - cells[i0].r) * f);
      out[1][k] = light[1] + kGain * (cells[i0].g + (cells[i1].g - cells[i0].g) * f);
      out[2][k] = light[2] + kGain * (cells[i0].b + (cells[i1].b - cells[i0].b) * f);
    }
  };
  int upper_row = -1, lower_row = -1;
  for (int y = y0; y < y1; ++y) {
    const float v = (float(y) + 0.5f) / float(cell_) - 0.5f;
    const int j0 = std::clamp(int(std::floor(v)), 0, std::max(cells_y_ - 2, 0));
    const int j1 = std::min(j0 + 1, cells_y_ - 1);
    const float fy = std::clamp(v - float(j0), 0.0f, 1.0f);
    if (j0 != upper_row) {
      if (j0 == lower_row) {
        std::swap(spread_[0], spread_[1]);
      } else {
        spreadRow(j0, spread_[0]);
      }
      upper_row = j0;
      lower_row = -1;
    }
    if (j1 != lower_row) {
      spreadRow(j1, spread_[1]);
      lower_row = j1;
    }
    BlendRows(spread_[0], spread_[1], fy, backdrop.Row(y) + x0, width);
  }
}

void Glow::Compose(Surface& surface, Color skyLight, bool everywhere) {
  const PixelView backdrop = surface.Backdrop();
  const uint32_t plain = StoredPixel(skyLight);
  if (everywhere) {
    std::fill(backdrop.bits, backdrop.bits + size_t(device_width_) * size_t(device_height_), plain);
    surface.BackdropChangedEverywhere();
    std::fill(shows_halo_.begin(), shows_halo_.end(), uint8_t{0});
  }
  const int block_pixels = kBlockCells * cell_;
  for (int by = 0; by < blocks_y_; ++by) {
    const int y0 = by * block_pixels, y1 = std::min((by + 1) * block_pixels, device_height_);
    for (int bx = 0; bx < blocks_x_;) {
      // A run of blocks that show a halo now, or showed one and show none now.
      const auto at = [&](int x) { return size_t(by) * size_t(blocks_x_) + size_t(x); };
      const auto haloNow = [&](int x) { return haloed_[at(x)] && peak_[at(x)] * kGain >= 0.5f; };
      const bool halo = haloNow(bx);
      if (!halo && !shows_halo_[at(bx)]) {
        ++bx;
        continue;
      }
      const int first = bx;
      while (bx < blocks_x_ && haloNow(bx) == halo && (halo || shows_halo_[at(bx)])) {
        shows_halo_[at(bx)] = halo;
        ++bx;
      }
      const int x0 = first * block_pixels, x1 = std::min(bx * block_pixels, device_width_);
      if (halo) {
        ComposeSpan(backdrop, skyLight, x0, x1, y0, y1);
      } else {
        for (int y = y0; y < y1; ++y)
          std::fill(backdrop.Row(y) + x0, backdrop.Row(y) + x1, plain);
      }
      if (!everywhere) surface.BackdropChanged({x0, y0, x1 - x0, y1 - y0});
    }
  }
  std::swap(haloed_before_, haloed_);
}

void Glow::Update(Surface& surface, Color skyLight, int cellPixels) {
  cellPixels = std::max(cellPixels, 1);
  if (surface.StoreVersion() != store_version_ || cellPixels != cell_) Reset(surface, cellPixels);
  if (device_width_ <= 0 || device_height_ <= 0) return;
  const bool everywhere = !painted_ || skyLight != light_ || !surface.HasBackdrop();
  Gather(surface);
  Blur();
  Compose(surface, skyLight, everywhere);
  painted_ = true;
  light_ = skyLight;
}

}  // namespace starquill
