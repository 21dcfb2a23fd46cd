#include "platform/drawing/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <span>

#include "platform/drawing/text.h"
#include "platform/support/numbers.h"

namespace starquill {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

int ClampPixelSize(float v) {
  const auto r = TryRoundTo<int32_t>(v);
  if (!r) return v > 0 ? Surface::kMaxPixels : 0;  // NaN and huge values
  return std::clamp(*r, 0, Surface::kMaxPixels);
}

// A mapped coordinate rounded down to a pixel index, held far enough from the int range that
// line arithmetic on it cannot overflow.
int64_t PixelIndex(double mapped) {
  constexpr double kLimit = 1e12;
  if (std::isnan(mapped)) return std::numeric_limits<int32_t>::min();
  return static_cast<int64_t>(std::floor(std::clamp(mapped, -kLimit, kLimit)));
}

// A text origin in pixels; far-off origins are held where nothing of the text can show.
int TextOrigin(double mapped) {
  return static_cast<int>(std::clamp<int64_t>(PixelIndex(mapped), -(1 << 28), 1 << 28));
}

// A text measure in scale units, held within kMaxTextExtent as the face's own measures are,
// so that callers can round it and add to it in 32 bits whatever the scale.
float TextExtent(double v) {
  constexpr double kMax = kMaxTextExtent;
  return static_cast<float>(std::clamp(v, -kMax, kMax));
}

// Beyond this many boxes drawn since the last clear, the next one clears everything.
constexpr size_t kMaxDrawnBoxes = 1024;

}  // namespace

Surface::Surface(int pixelWidth, int pixelHeight) {
  Resize(std::clamp(pixelWidth, 0, kMaxPixels), std::clamp(pixelHeight, 0, kMaxPixels));
}

Surface::~Surface() = default;
Surface::Surface(Surface&&) noexcept = default;
Surface& Surface::operator=(Surface&&) noexcept = default;

int64_t Surface::DeviceEdge(int64_t i) const {
  return starquill::DeviceEdge(i, scale_steps_);
}

int64_t Surface::TextEdge(int64_t origin, int64_t i) const {
  return DeviceEdge(origin) + starquill::DeviceEdge(i, text_steps_) -
         starquill::DeviceEdge(origin, text_steps_);
}

void Surface::SetDeviceScale(double scale, double textScale) {
  const int steps = ScaleSteps(scale), text_steps = ScaleSteps(textScale);
  if (steps == wanted_steps_ && text_steps == wanted_text_steps_) return;
  wanted_steps_ = steps;
  wanted_text_steps_ = text_steps;
  const int before = scale_steps_;
  Resize(width_, height_);
  if (scale_steps_ != before) DrawPicture();
}

void Surface::Resize(int width, int height) {
  // Above scale 1 the device store is held to kMaxPixels on its longer side.
  const int64_t fitting = int64_t{kMaxPixels} * kScaleSteps / std::max({width, height, 1});
  const int steps = static_cast<int>(std::min<int64_t>(wanted_steps_, fitting));
  if (width != width_ || height != height_ || steps != scale_steps_ || pixels_.empty()) {
    if (steps != scale_steps_) device_face_.reset();
    width_ = width;
    height_ = height;
    width_d_ = width;
    height_d_ = height;
    scale_steps_ = steps;
    scale_is_one_ = steps == kScaleSteps;
    device_width_ = static_cast<int>(DeviceEdge(width));
    device_height_ = static_cast<int>(DeviceEdge(height));
    const size_t pixels = static_cast<size_t>(device_width_) * static_cast<size_t>(device_height_);
    pixels_.assign(pixels, StoredPixel(back_color_));
    ++store_version_;
    // Room for a point on one pixel in eight, beyond which a whole clear is as cheap.
    drawn_points_.assign(std::max<size_t>(1024, static_cast<size_t>(width) * height / 8), 0);
    FilledWith(StoredPixel(back_color_));
    tiles_across_ = (device_width_ + kTileWidth - 1) / kTileWidth;
    const size_t tiles = static_cast<size_t>(tiles_across_) *
                         static_cast<size_t>((device_height_ + kTileHeight - 1) / kTileHeight);
    drawn_tiles_.assign(tiles, 0);
    shown_tiles_.assign(tiles, 0);
    pending_tiles_.assign(tiles, 0);
    backdrop_.clear();
    backdrop_changes_.clear();
    backdrop_everywhere_ = false;
    changed_everywhere_ = true;
  }
  const int text_steps = static_cast<int>(int64_t{wanted_text_steps_} * steps / wanted_steps_);
  if (text_steps != text_steps_) {
    text_steps_ = text_steps;
    device_face_.reset();
  }
  if (!user_scale_) {
    scale_width_ = static_cast<float>(width_);
    scale_height_ = static_cast<float>(height_);
  }
  UpdateMapping();
}

void Surface::Move(float left, float top, float width, float height) {
  left_in_container_ = left;
  top_in_container_ = top;
  Resize(ClampPixelSize(width), ClampPixelSize(height));
}

void Surface::UseUserScale() {
  user_scale_ = true;
}

void Surface::SetScaleLeft(float v) {
  UseUserScale();
  scale_left_ = v;
  UpdateMapping();
}

void Surface::SetScaleTop(float v) {
  UseUserScale();
  scale_top_ = v;
  UpdateMapping();
}

void Surface::SetScaleWidth(float v) {
  UseUserScale();
  scale_width_ = v;
  UpdateMapping();
}

void Surface::SetScaleHeight(float v) {
  UseUserScale();
  scale_height_ = v;
  UpdateMapping();
}

void Surface::UpdateMapping() {
  // A zero extent has no mapping: every point becomes NaN and is clipped.
  pixels_per_unit_x_ = scale_width_ != 0 ? width_d_ / scale_width_ : kNaN;
  pixels_per_unit_y_ = scale_height_ != 0 ? height_d_ / scale_height_ : kNaN;
}

float Surface::ScaleX(double pixelX) const {
  return static_cast<float>(scale_left_ + pixelX / pixels_per_unit_x_);
}

float Surface::ScaleY(double pixelY) const {
  return static_cast<float>(scale_top_ + pixelY / pixels_per_unit_y_);
}

void Surface::FillDevice(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t value) {
  x0 = std::max<int64_t>(x0, 0);
  y0 = std::max<int64_t>(y0, 0);
  x1 = std::min<int64_t>(x1, device_width_);
  y1 = std::min<int64_t>(y1, device_height_);
  if (x0 >= x1 || y0 >= y1) return;
  const PixelView view = DeviceView();
  for (int64_t y = y0; y < y1; ++y) {
    uint32_t* row = view.Row(static_cast<int>(y));
    std::fill(row + x0, row + x1, value);
  }
}

uint32_t Surface::BlockPixel(int x, int y) const {
  const int64_t dx = DeviceEdge(x), dy = DeviceEdge(y);
  if (dx >= device_width_ || dy >= device_height_) return kOpaque;
  return pixels_[static_cast<size_t>(dy) * static_cast<size_t>(device_width_) +
                 static_cast<size_t>(dx)];
}

void Surface::FillBlock(int x, int y, uint32_t value) {
  FillDevice(DeviceEdge(x), DeviceEdge(y), DeviceEdge(int64_t{x} + 1), DeviceEdge(int64_t{y} + 1),
             value);
  RecordPoint(x, y);
}

void Surface::DrawDevice(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t value) {
  FillDevice(x0, y0, x1, y1, value);
  RecordBox(x0, y0, x1, y1);
}

void Surface::RecordBox(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  x0 = std::max<int64_t>(x0, 0);
  y0 = std::max<int64_t>(y0, 0);
  x1 = std::min<int64_t>(x1, device_width_);
  y1 = std::min<int64_t>(y1, device_height_);
  if (x0 >= x1 || y0 >= y1) return;
  if (drawn_boxes_.size() < kMaxDrawnBoxes) {
    drawn_boxes_.push_back({x0, y0, x1, y1});
  } else {
    drawn_everywhere_ = true;
  }
}

void Surface::MarkTiles(std::vector<uint8_t>& tiles, int64_t x0, int64_t y0, int64_t x1,
                        int64_t y1) const {
  x0 = std::max<int64_t>(x0, 0);
  y0 = std::max<int64_t>(y0, 0);
  x1 = std::min<int64_t>(x1, device_width_);
  y1 = std::min<int64_t>(y1, device_height_);
  if (x0 >= x1 || y0 >= y1) return;
  for (int64_t ty = y0 / kTileHeight; ty <= (y1 - 1) / kTileHeight; ++ty) {
    uint8_t* row = tiles.data() + ty * tiles_across_;
    std::fill(row + x0 / kTileWidth, row + (x1 - 1) / kTileWidth + 1, uint8_t{1});
  }
}

std::vector<Surface::DeviceRect> Surface::TakeChanges() {
  // Pixels differ from the frame last shown where something was drawn then (it has been
  // cleared since) or is drawn now; what was drawn and cleared in between never showed.
  std::fill(drawn_tiles_.begin(), drawn_tiles_.end(), uint8_t{0});
  if (drawn_everywhere_) {
    std::fill(drawn_tiles_.begin(), drawn_tiles_.end(), uint8_t{1});
  } else {
    for (const uint32_t point : std::span<const uint32_t>(drawn_points_.data(), drawn_count_)) {
      const uint32_t x = point & 0xFFFF, y = point >> 16;
      if (scale_is_one_) {
        drawn_tiles_[(y / kTileHeight) * static_cast<uint32_t>(tiles_across_) + x / kTileWidth] = 1;
      } else {
        MarkTiles(drawn_tiles_, DeviceEdge(x), DeviceEdge(y), DeviceEdge(x + 1), DeviceEdge(y + 1));
      }
    }
    for (const DeviceBox& box : drawn_boxes_)
      MarkTiles(drawn_tiles_, box.x0, box.y0, box.x1, box.y1);
  }
  std::vector<DeviceRect> rects;
  if (changed_everywhere_ || drawn_everywhere_) {
    if (device_width_ > 0 && device_height_ > 0) {
      rects.push_back({0, 0, device_width_, device_height_});
    }
  } else {
    const int tiles_down =
        tiles_across_ > 0 ? static_cast<int>(drawn_tiles_.size()) / tiles_across_ : 0;
    for (int ty = 0; ty < tiles_down; ++ty) {
      const size_t row = static_cast<size_t>(ty) * tiles_across_;
      const auto changed = [&](int tx) {
        return (drawn_tiles_[row + tx] | shown_tiles_[row + tx] | pending_tiles_[row + tx]) != 0;
      };
      const int y = ty * kTileHeight, height = std::min(kTileHeight, device_height_ - y);
      for (int tx = 0; tx < tiles_across_;) {
        if (!changed(tx)) {
          ++tx;
          continue;
        }
        const int first = tx;
        while (tx < tiles_across_ && changed(tx))
          ++tx;
        const int x = first * kTileWidth;
        rects.push_back({x, y, std::min(tx * kTileWidth, device_width_) - x, height});
      }
    }
  }
  std::swap(shown_tiles_, drawn_tiles_);
  std::fill(pending_tiles_.begin(), pending_tiles_.end(), uint8_t{0});
  changed_everywhere_ = false;
  return rects;
}

void Surface::FilledWith(uint32_t value) {
  filled_with_ = value;
  drawn_count_ = 0;
  drawn_boxes_.clear();
  drawn_everywhere_ = false;
}

void Surface::SetPixelV(int x, int y, Color color) {
  if (static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
      static_cast<unsigned>(y) < static_cast<unsigned>(height_)) {
    FillBlock(x, y, StoredPixel(color));
  }
}

Color Surface::Pixel(int x, int y) const {
  if (static_cast<unsigned>(x) >= static_cast<unsigned>(width_) ||
      static_cast<unsigned>(y) >= static_cast<unsigned>(height_)) {
    return -1;
  }
  // Below scale 1 a block can be empty and start at the far edge of the store.
  const int64_t dx = std::min<int64_t>(DeviceEdge(x), device_width_ - 1);
  const int64_t dy = std::min<int64_t>(DeviceEdge(y), device_height_ - 1);
  return DevicePixel(static_cast<int>(dx), static_cast<int>(dy));
}

Color Surface::DevicePixel(int dx, int dy) const {
  if (static_cast<unsigned>(dx) >= static_cast<unsigned>(device_width_) ||
      static_cast<unsigned>(dy) >= static_cast<unsigned>(device_height_)) {
    return -1;
  }
  return ColorOfStored(pixels_[static_cast<size_t>(dy) * device_width_ + dx]);
}

Color Surface::Point(float x, float y) const {
  const double px = MapX(x);
  const double py = MapY(y);
  if (!(px >= 0.0 && px < width_d_ && py >= 0.0 && py < height_d_)) return -1;
  return Pixel(static_cast<int>(px), static_cast<int>(py));
}

namespace {

// Cuts the segment to the box [lo_x, hi_x] x [lo_y, hi_y] (Liang-Barsky); false when it misses.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double lo_x, double lo_y,
                 double hi_x, double hi_y) {
  double t0 = 0, t1 = 1;
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - lo_x, hi_x - x1, y1 - lo_y, hi_y - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  const double ox = x1, oy = y1;
  x1 = ox + t0 * dx;
  y1 = oy + t0 * dy;
  x2 = ox + t1 * dx;
  y2 = oy + t1 * dy;
  return true;
}

}  // namespace

void Surface::Line(float x1, float y1, float x2, float y2, Color color) {
  double fx1 = MapX(x1), fy1 = MapY(y1), fx2 = MapX(x2), fy2 = MapY(y2);
  if (std::isnan(fx1) || std::isnan(fy1) || std::isnan(fx2) || std::isnan(fy2)) return;
  int64_t x = PixelIndex(fx1);
  int64_t y = PixelIndex(fy1);
  int64_t xe = PixelIndex(fx2);
  int64_t ye = PixelIndex(fy2);
  const uint32_t value = StoredPixel(color);
  const PixelView view = DeviceView();

  if (y == ye) {  // horizontal: one clipped span, end excluded
    if (y < 0 || y >= height_ || x == xe) return;
    const int64_t from = x < xe ? x : xe + 1;
    const int64_t to = x < xe ? xe - 1 : x;  // inclusive
    const int64_t a = std::max<int64_t>(from, 0);
    const int64_t b = std::min<int64_t>(to, width_ - 1);
    if (a <= b)
      DrawDevice(DeviceEdge(a), DeviceEdge(y), DeviceEdge(b + 1), DeviceEdge(y + 1), value);
    return;
  }

  // Lines reaching far outside are first cut to a band just around the surface, so that the
  // walk below stays short; their clipped ends lie outside the surface either way.
  const int64_t reach = 4 * (static_cast<int64_t>(width_) + height_ + 2);
  if (std::max(std::llabs(xe - x), std::llabs(ye - y)) > reach) {
    if (!ClipSegment(fx1, fy1, fx2, fy2, -2, -2, width_d_ + 2, height_d_ + 2)) return;
    x = PixelIndex(fx1);
    y = PixelIndex(fy1);
    xe = PixelIndex(fx2);
    ye = PixelIndex(fy2);
  }

  // Bresenham from the first point towards the second, stopping before the second.
  const int64_t dx = std::llabs(xe - x);
  const int64_t dy = -std::llabs(ye - y);
  const int64_t sx = x < xe ? 1 : -1;
  const int64_t sy = y < ye ? 1 : -1;
  int64_t err = dx + dy;
  while (x != xe || y != ye) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) {
      if (scale_is_one_) {
        view.Row(static_cast<int>(y))[x] = value;
        RecordPoint(static_cast<int>(x), static_cast<int>(y));
      } else {
        FillBlock(static_cast<int>(x), static_cast<int>(y), value);
      }
    }
    const int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void Surface::FillBox(float x1, float y1, float x2, float y2, Color color) {
  const double fx1 = MapX(x1), fy1 = MapY(y1), fx2 = MapX(x2), fy2 = MapY(y2);
  if (std::isnan(fx1) || std::isnan(fy1) || std::isnan(fx2) || std::isnan(fy2)) return;
  int64_t ax = PixelIndex(fx1);
  int64_t ay = PixelIndex(fy1);
  int64_t bx = PixelIndex(fx2);
  int64_t by = PixelIndex(fy2);
  if (ax > bx) std::swap(ax, bx);
  if (ay > by) std::swap(ay, by);
  ax = std::max<int64_t>(ax, 0);
  ay = std::max<int64_t>(ay, 0);
  bx = std::min<int64_t>(bx, width_ - 1);
  by = std::min<int64_t>(by, height_ - 1);
  if (ax > bx || ay > by) return;
  DrawDevice(DeviceEdge(ax), DeviceEdge(ay), DeviceEdge(bx + 1), DeviceEdge(by + 1),
             StoredPixel(color));
}

PixelView Surface::Backdrop() {
  if (backdrop_.empty()) backdrop_.assign(pixels_.size(), StoredPixel(back_color_));
  return {backdrop_.data(), device_width_, device_height_, device_width_};
}

void Surface::DropBackdrop() {
  if (backdrop_.empty()) return;
  backdrop_.clear();
  backdrop_changes_.clear();
  backdrop_everywhere_ = false;
  std::fill(pixels_.begin(), pixels_.end(), StoredPixel(back_color_));
  FilledWith(StoredPixel(back_color_));
  changed_everywhere_ = true;
  DrawPicture();
}

void Surface::BackdropChanged(const DeviceRect& area) {
  if (backdrop_changes_.size() < kMaxDrawnBoxes) {
    backdrop_changes_.push_back(
        {area.x, area.y, int64_t{area.x} + area.width, int64_t{area.y} + area.height});
  } else {
    backdrop_everywhere_ = true;
  }
}

void Surface::ShowBackdrop() {
  const auto copy = [this](int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    x0 = std::max<int64_t>(x0, 0);
    y0 = std::max<int64_t>(y0, 0);
    x1 = std::min<int64_t>(x1, device_width_);
    y1 = std::min<int64_t>(y1, device_height_);
    for (int64_t y = y0; y < y1; ++y) {
      const size_t row = static_cast<size_t>(y) * static_cast<size_t>(device_width_);
      std::copy(backdrop_.begin() + static_cast<long>(row + x0),
                backdrop_.begin() + static_cast<long>(row + x1),
                pixels_.begin() + static_cast<long>(row + x0));
    }
  };
  if (drawn_everywhere_ || backdrop_everywhere_) {
    pixels_ = backdrop_;
    changed_everywhere_ = true;
  } else {
    for (const uint32_t point : DrawnPoints()) {
      const uint32_t x = point & 0xFFFF, y = point >> 16;
      if (scale_is_one_) {
        const size_t i = static_cast<size_t>(y) * static_cast<size_t>(device_width_) + x;
        pixels_[i] = backdrop_[i];
      } else {
        copy(DeviceEdge(x), DeviceEdge(y), DeviceEdge(x + 1), DeviceEdge(y + 1));
      }
    }
    for (const DeviceBox& box : drawn_boxes_)
      copy(box.x0, box.y0, box.x1, box.y1);
    for (const DeviceBox& box : backdrop_changes_) {
      copy(box.x0, box.y0, box.x1, box.y1);
      MarkTiles(pending_tiles_, box.x0, box.y0, box.x1, box.y1);
    }
  }
  backdrop_changes_.clear();
  backdrop_everywhere_ = false;
}

void Surface::Cls() {
  const uint32_t background = StoredPixel(back_color_);
  if (!backdrop_.empty()) {
    ShowBackdrop();
  } else if (drawn_everywhere_ || picture_ || background != filled_with_) {
    std::fill(pixels_.begin(), pixels_.end(), background);
    changed_everywhere_ = true;
  } else {
    // Only what was drawn: a show's sky is mostly untouched between two clears.
    for (const uint32_t point : std::span<const uint32_t>(drawn_points_.data(), drawn_count_)) {
      const uint32_t x = point & 0xFFFF, y = point >> 16;
      if (scale_is_one_) {
        pixels_[static_cast<size_t>(y) * static_cast<size_t>(device_width_) + x] = background;
      } else {
        FillDevice(DeviceEdge(x), DeviceEdge(y), DeviceEdge(x + 1), DeviceEdge(y + 1), background);
      }
    }
    for (const DeviceBox& box : drawn_boxes_)
      FillDevice(box.x0, box.y0, box.x1, box.y1, background);
  }
  FilledWith(background);
  DrawPicture();
  current_x_ = 0;
  current_y_ = 0;
}

FontFace& Surface::Face() {
  if (!face_) face_ = ResolveFont(font_);
  return *face_;
}

FontFace& Surface::DeviceFace() {
  if (!device_face_) device_face_ = ResolveFont(font_, TextScale());
  return *device_face_;
}

void Surface::SetFont(const FontSpec& font) {
  if (!(font == font_)) {
    face_.reset();
    device_face_.reset();
  }
  font_ = font;
}

void Surface::SetFontSize(double points) {
  FontSpec font = font_;
  font.size = points;
  SetFont(font);
}

void Surface::Print(std::string_view text) {
  FontFace& face = Face();
  const double px = MapX(current_x_);
  const double py = MapY(current_y_);
  if (px == px && py == py) {  // not NaN
    const int x = TextOrigin(px), top = TextOrigin(py);
    PrintScaled(face, x, top, text);
    // Glyphs may reach beyond their line box (slanted and bold faces): a line height around
    // it holds them.
    const int64_t line = face.LineHeight();
    RecordBox(TextEdge(x, x - line), TextEdge(top, top - line),
              TextEdge(x, x + int64_t{face.TextWidth(text)} + line), TextEdge(top, top + 2 * line));
  }
  current_x_ = scale_left_;
  if (pixels_per_unit_y_ == pixels_per_unit_y_ && pixels_per_unit_y_ != 0) {
    current_y_ = static_cast<float>(current_y_ + face.LineHeight() / pixels_per_unit_y_);
  }
}

// The text keeps the layout of the 1x face, so that it covers exactly what it covers at 1x,
// times the text scale: each glyph's pen is the 1x pen mapped to device pixels, on the mapped
// 1x baseline. The glyphs themselves come from the same font at the text scale's size. When
// the text scale is the device scale, the pens are the 1x pens' device edges; at scale 1 the
// mapping changes nothing and the device face is the 1x face.
void Surface::PrintScaled(FontFace& face, int x, int top, std::string_view text) {
  if (pixels_.empty() || text.empty()) return;
  std::vector<int64_t> pens;
  face.PenPositions(text, x, pens);
  for (int64_t& pen : pens)
    pen = TextEdge(x, pen);
  DeviceFace().DrawAtPens(DeviceView(), pens, TextEdge(top, int64_t{top} + face.Ascent()), text,
                          fore_color_);
}

float Surface::TextWidth(std::string_view text) {
  const double width = Face().TextWidth(text);
  const double k = std::fabs(pixels_per_unit_x_);
  return k > 0 ? TextExtent(width / k) : 0.0f;
}

float Surface::TextHeight(std::string_view) {
  const double height = Face().LineHeight();
  const double k = std::fabs(pixels_per_unit_y_);
  return k > 0 ? TextExtent(height / k) : 0.0f;
}

PictureRef Surface::Image() const {
  auto image = std::make_shared<Bitmap>();
  image->width = device_width_;
  image->height = device_height_;
  image->scale = DeviceScale();
  image->pixels.resize(pixels_.size());
  std::transform(pixels_.begin(), pixels_.end(), image->pixels.begin(), [](uint32_t pixel) {
    return kOpaque | static_cast<uint32_t>(ColorOfStored(pixel));
  });
  return image;
}

void Surface::SetPicture(PictureRef picture) {
  // A new background picture replaces the retained drawing: background colour, then picture.
  picture_ = std::move(picture);
  std::fill(pixels_.begin(), pixels_.end(), StoredPixel(back_color_));
  FilledWith(StoredPixel(back_color_));
  changed_everywhere_ = true;
  DrawPicture();
}

void Surface::DrawPicture() {
  if (!picture_) return;
  const Bitmap& picture = *picture_;
  const double scale = SaneDeviceScale(picture.scale);
  if (scale == DeviceScale()) {  // made at this density: pixel for pixel
    RenderPicture(picture, DeviceView(), 0, 0, picture.width, picture.height);
    return;
  }
  const auto pixels = [&](int picture_pixels) {
    return static_cast<int>(std::min<long>(std::lround(picture_pixels / scale), INT32_MAX));
  };
  PaintPicture(picture, 0, 0, pixels(picture.width), pixels(picture.height));
}

void Surface::PaintPicture(const Bitmap& picture, int x, int y, int cx, int cy) {
  if (cx <= 0 || cy <= 0) return;
  const int64_t dx = DeviceEdge(x), dy = DeviceEdge(y);
  const int64_t dx1 = DeviceEdge(int64_t{x} + cx), dy1 = DeviceEdge(int64_t{y} + cy);
  RenderPicture(picture, DeviceView(), dx, dy, dx1 - dx, dy1 - dy);
  RecordBox(dx, dy, dx1, dy1);
}

}  // namespace starquill
