#include "platform/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/numbers.h"
#include "platform/text.h"

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

}  // namespace

Surface::Surface(int pixelWidth, int pixelHeight) {
  Resize(std::clamp(pixelWidth, 0, kMaxPixels), std::clamp(pixelHeight, 0, kMaxPixels));
}

Surface::~Surface() = default;
Surface::Surface(Surface&&) noexcept = default;
Surface& Surface::operator=(Surface&&) noexcept = default;

void Surface::Resize(int width, int height) {
  if (width != width_ || height != height_ || pixels_.empty()) {
    width_ = width;
    height_ = height;
    width_d_ = width;
    height_d_ = height;
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height),
                   kOpaque | (static_cast<uint32_t>(back_color_) & kColorMask));
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

void Surface::SetPixelV(int x, int y, Color color) {
  if (View().Contains(x, y)) {
    pixels_[static_cast<size_t>(y) * width_ + x] =
        kOpaque | (static_cast<uint32_t>(color) & kColorMask);
  }
}

Color Surface::Pixel(int x, int y) const {
  if (static_cast<unsigned>(x) >= static_cast<unsigned>(width_) ||
      static_cast<unsigned>(y) >= static_cast<unsigned>(height_)) {
    return -1;
  }
  return static_cast<Color>(pixels_[static_cast<size_t>(y) * width_ + x] & kColorMask);
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
  const uint32_t value = kOpaque | (static_cast<uint32_t>(color) & kColorMask);
  const PixelView view = View();

  if (y == ye) {  // horizontal: one clipped span, end excluded
    if (y < 0 || y >= height_ || x == xe) return;
    const int64_t from = x < xe ? x : xe + 1;
    const int64_t to = x < xe ? xe - 1 : x;  // inclusive
    const int64_t a = std::max<int64_t>(from, 0);
    const int64_t b = std::min<int64_t>(to, width_ - 1);
    uint32_t* row = view.Row(static_cast<int>(y));
    if (a <= b) std::fill(row + a, row + b + 1, value);
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
    if (x >= 0 && x < width_ && y >= 0 && y < height_) view.Row(static_cast<int>(y))[x] = value;
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
  const uint32_t value = kOpaque | (static_cast<uint32_t>(color) & kColorMask);
  const PixelView view = View();
  for (int64_t y = ay; y <= by; ++y) {
    std::fill(view.Row(static_cast<int>(y)) + ax, view.Row(static_cast<int>(y)) + bx + 1, value);
  }
}

void Surface::Cls() {
  std::fill(pixels_.begin(), pixels_.end(),
            kOpaque | (static_cast<uint32_t>(back_color_) & kColorMask));
  DrawPicture();
  current_x_ = 0;
  current_y_ = 0;
}

FontFace& Surface::Face() {
  if (!face_) face_ = ResolveFont(font_);
  return *face_;
}

void Surface::SetFont(const FontSpec& font) {
  if (!(font == font_)) face_.reset();
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
    face.Draw(View(), TextOrigin(px), TextOrigin(py), text, fore_color_);
  }
  current_x_ = scale_left_;
  if (pixels_per_unit_y_ == pixels_per_unit_y_ && pixels_per_unit_y_ != 0) {
    current_y_ = static_cast<float>(current_y_ + face.LineHeight() / pixels_per_unit_y_);
  }
}

float Surface::TextWidth(std::string_view text) {
  const double width = Face().TextWidth(text);
  const double k = std::fabs(pixels_per_unit_x_);
  return k > 0 ? static_cast<float>(width / k) : 0.0f;
}

float Surface::TextHeight(std::string_view) {
  const double height = Face().LineHeight();
  const double k = std::fabs(pixels_per_unit_y_);
  return k > 0 ? static_cast<float>(height / k) : 0.0f;
}

PictureRef Surface::Image() const {
  auto image = std::make_shared<Bitmap>();
  image->width = width_;
  image->height = height_;
  image->pixels.assign(pixels_.begin(), pixels_.end());  // opaque, as the surface stores them
  return image;
}

void Surface::SetPicture(PictureRef picture) {
  // A new background picture replaces the retained drawing: background colour, then picture.
  picture_ = std::move(picture);
  std::fill(pixels_.begin(), pixels_.end(),
            kOpaque | (static_cast<uint32_t>(back_color_) & kColorMask));
  DrawPicture();
}

void Surface::DrawPicture() {
  if (picture_) RenderPicture(*picture_, View(), 0, 0, picture_->width, picture_->height);
}

}  // namespace starquill
