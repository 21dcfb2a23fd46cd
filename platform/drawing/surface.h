#pragma once
// The software drawing surface every picture of the program is painted on: a block of pixels
// with a user coordinate system, points, lines, filled boxes, text and a retained picture.
//
// Coordinates: (ScaleLeft, ScaleTop) is the top-left corner, ScaleWidth and ScaleHeight the
// extent to the right and downwards; a negative extent flips that axis (the sky has y growing
// upwards). A surface that is given no scale measures in pixels from its top-left corner and
// keeps doing so when it is resized. A point maps linearly onto the pixel grid and lands in
// the pixel whose square contains it: pixel (i, j) covers [i, i+1) x [j, j+1) in pixel space,
// so the right and bottom edges of the surface lie just outside it. Points outside the
// surface (and NaN) are clipped without error.
//
// Device scale: on a dense screen the surface keeps its pixels at device resolution, s device
// pixels per surface pixel, while everything seen by its users (coordinates, sizes, text
// measures) stays in surface pixels. Surface pixel i covers the device pixels
// [floor(i*s), floor((i+1)*s)) on each axis, so blocks tile the device store without gaps.
// Text has a scale of its own, t device pixels per pixel (s unless told otherwise): a window
// that rounds a fractional screen ratio to whole blocks for its points still draws text at the
// screen's ratio, as large as all other text on that screen.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/color.h"
#include "platform/drawing/device_scale.h"
#include "platform/drawing/font.h"
#include "platform/drawing/pixel_view.h"

namespace starquill {

class FontFace;

class Surface {
 public:
  // Largest width or height in pixels; larger sizes are cut to it.
  static constexpr int kMaxPixels = 16384;

  explicit Surface(int pixelWidth = 0, int pixelHeight = 0);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  Surface(Surface&&) noexcept;
  Surface& operator=(Surface&&) noexcept;

  // Size in pixels.
  int PixelWidth() const { return width_; }
  int PixelHeight() const { return height_; }

  // Device pixels per pixel, 1 by default. It is kept within [1/4, 8] (NaN, infinite and
  // non-positive values count as 1) to the nearest 1/480, which holds the ratios screens use
  // (quarters, thirds, steps of 1/96 and 1/120) exactly. A surface whose device store would
  // pass kMaxPixels on a side takes the largest scale that fits. A new scale clears the
  // drawing to the background colour and shows the Picture again.
  double DeviceScale() const { return static_cast<double>(scale_steps_) / kScaleSteps; }
  void SetDeviceScale(double scale) { SetDeviceScale(scale, scale); }
  // Device pixels per pixel of text, kept sane and stepped as the device scale is (and cut in
  // the same ratio when the device scale is cut to fit). Text is laid out and measured as at
  // scale 1 and drawn from its place's first device pixel, t device pixels per pixel, by the
  // font at t times its size. A new text scale alone applies to what is printed from then on.
  double TextScale() const { return static_cast<double>(text_steps_) / kScaleSteps; }
  void SetDeviceScale(double scale, double textScale);
  // Size of the device store: floor(PixelWidth() * DeviceScale()) and likewise down.
  int DeviceWidth() const { return device_width_; }
  int DeviceHeight() const { return device_height_; }

  // Changes whenever the store is made anew (a new size or device scale), which loses what
  // was drawn on it.
  uint64_t StoreVersion() const { return store_version_; }

  // The parts of the device store that may differ from what it held the last time this was
  // asked (when it was last shown): what was cleared since and what is drawn now, as
  // rectangles of whole tiles clipped to the store, row by row from the top and left to right
  // within a row, never touching one another in a row. The whole store after it was made anew
  // or filled whole; nothing when nothing changed.
  struct DeviceRect {
    int x, y, width, height;
  };
  std::vector<DeviceRect> TakeChanges();

  // The backdrop: a picture as large as the device store that Cls shows where something was
  // drawn, instead of the plain background colour (a sky lit by a burst, the glow around its
  // sparkles). Made, in the background colour, when first asked for; a new store (a new size
  // or device scale) drops it. Whoever paints it tells which areas changed: the next Cls shows
  // them, and TakeChanges reports them once.
  PixelView Backdrop();
  bool HasBackdrop() const { return !backdrop_.empty(); }
  void BackdropChanged(const DeviceRect& area);
  void BackdropChangedEverywhere() { backdrop_everywhere_ = true; }
  // Back to the plain background colour: the store is filled with it at once.
  void DropBackdrop();
  // The points drawn since the last clear, as y << 16 | x in pixels; complete unless
  // DrawnEverywhere() (too many to keep).
  std::span<const uint32_t> DrawnPoints() const { return {drawn_points_.data(), drawn_count_}; }
  bool DrawnEverywhere() const { return drawn_everywhere_; }

  // Outer size and place in the containing window, in the window's units (pixels).
  float Left() const { return left_in_container_; }
  float Top() const { return top_in_container_; }
  float Width() const { return static_cast<float>(width_); }
  float Height() const { return static_cast<float>(height_); }
  // Places the surface; the size is rounded to whole pixels and the content is cleared to
  // the background colour when the size changes.
  void Move(float left, float top, float width, float height);

  // User coordinate system.
  float ScaleLeft() const { return scale_left_; }
  float ScaleTop() const { return scale_top_; }
  float ScaleWidth() const { return scale_width_; }
  float ScaleHeight() const { return scale_height_; }
  void SetScaleLeft(float v);
  void SetScaleTop(float v);
  void SetScaleWidth(float v);
  void SetScaleHeight(float v);

  Color BackColor() const { return back_color_; }
  void SetBackColor(Color c) { back_color_ = c; }
  Color ForeColor() const { return fore_color_; }
  void SetForeColor(Color c) { fore_color_ = c; }

  // Points, lines and boxes, in scale units.
  void PSet(float x, float y, Color color);
  // Whether points lighten what lies under them, channel by channel, instead of covering it:
  // light added to a glowing sky never darkens it. Off by default.
  void SetPointsLighten(bool lighten) { points_lighten_ = lighten; }
  // Many points in a row: see Points below.
  class Points;
  // The straight line from the first point up to, but not including, the second.
  void Line(float x1, float y1, float x2, float y2, Color color);
  // The filled rectangle with these two corners, both included.
  void FillBox(float x1, float y1, float x2, float y2, Color color);
  // Fills the surface with its background colour, shows its Picture again and puts the text
  // position back to (0, 0).
  void Cls();
  // Sets one pixel, in pixels from the top-left corner.
  void SetPixelV(int x, int y, Color color);

  // Reading back: the colour at a pixel (the top-left device pixel of its block; below scale
  // 1 a pixel may have none of its own and reads what is shown there), or -1 outside the
  // surface.
  Color Pixel(int x, int y) const;
  // The colour at a device pixel, or -1 outside the device store.
  Color DevicePixel(int dx, int dy) const;
  // The colour at a point in scale units, or -1 outside the surface.
  Color Point(float x, float y) const;

  // Text. CurrentX/CurrentY is where the top-left corner of the next printed line goes;
  // Print moves it to the start of the next line.
  float CurrentX() const { return current_x_; }
  float CurrentY() const { return current_y_; }
  void SetCurrentX(float v) { current_x_ = v; }
  void SetCurrentY(float v) { current_y_ = v; }
  void Print(std::string_view text);
  // Extent of the text in the current font, in scale units, at most kMaxTextExtent (2^30).
  float TextWidth(std::string_view text);
  float TextHeight(std::string_view text);
  const FontSpec& Font() const { return font_; }
  void SetFont(const FontSpec& font);
  double FontSize() const { return font_.size; }
  void SetFontSize(double points);

  // The retained drawing as a picture at device resolution (its scale is DeviceScale()), and
  // the picture shown as the surface's background. Setting the picture (or none) starts the
  // retained drawing afresh: the background colour with the picture drawn over it at the
  // top-left corner, covering width / scale x height / scale pixels.
  PictureRef Image() const;
  const PictureRef& Picture() const { return picture_; }
  void SetPicture(PictureRef picture);

  // Draws a picture as RenderPicture does, into the box of cx x cy pixels at (x, y).
  void PaintPicture(const Bitmap& picture, int x, int y, int cx, int cy);

  // The device store, DeviceWidth() x DeviceHeight() with that stride, 0xFF in the top byte,
  // for presenting pixel for pixel on the screen.
  const uint32_t* Bits() const { return pixels_.data(); }

  // A position in pixels (from the top-left corner) in scale units.
  float ScaleX(double pixelX) const;
  float ScaleY(double pixelY) const;

  // Pixel coordinates of a point, before rounding down to a pixel.
  double MapX(float x) const { return (static_cast<double>(x) - scale_left_) * pixels_per_unit_x_; }
  double MapY(float y) const { return (static_cast<double>(y) - scale_top_) * pixels_per_unit_y_; }

 private:
  PixelView DeviceView() { return {pixels_.data(), device_width_, device_height_, device_width_}; }
  // The first device pixel of pixel i on either axis (and the end of pixel i - 1).
  int64_t DeviceEdge(int64_t i) const;
  // The device pixel at which text whose place starts at pixel `origin` reaches pixel i: the
  // origin's device pixel, then the text scale.
  int64_t TextEdge(int64_t origin, int64_t i) const;
  // Fills the device pixels [x0, x1) x [y0, y1), clipped to the store.
  void FillDevice(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t value);
  // Fills the block of the pixel (x, y), which lies on the surface, and records it as drawn.
  void FillBlock(int x, int y, uint32_t value);
  // The stored pixel at the first device pixel of the block of (x, y), which lies on the
  // surface; black when the block has no device pixel (below scale 1).
  uint32_t BlockPixel(int x, int y) const;
  // Fills the device pixels [x0, x1) x [y0, y1), clipped to the store, and records them as
  // drawn.
  void DrawDevice(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t value);

  // What has been drawn since the store was last filled whole, so that Cls clears only that:
  // single pixels (as y << 16 | x in the surface's pixels) and boxes of device pixels. When
  // there is too much of either, Cls fills the whole store.
  struct DeviceBox {
    int64_t x0, y0, x1, y1;
  };
  void RecordPoint(int x, int y) {
    if (drawn_count_ < drawn_points_.size()) {
      drawn_points_[drawn_count_++] = (static_cast<uint32_t>(y) << 16) | static_cast<uint32_t>(x);
    } else {
      drawn_everywhere_ = true;
    }
  }
  void RecordBox(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
  // The store has just been filled whole with this value: nothing is drawn on it.
  void FilledWith(uint32_t value);
  // Tiles of kTileWidth x kTileHeight device pixels, one flag each, row by row: the tiles of
  // what is drawn now, and of what was drawn when the surface was last shown.
  static constexpr int kTileWidth = 64, kTileHeight = 16;
  void MarkTiles(std::vector<uint8_t>& tiles, int64_t x0, int64_t y0, int64_t x1, int64_t y1) const;
  FontFace& DeviceFace();
  void PrintScaled(FontFace& face, int x, int top, std::string_view text);
  void Resize(int width, int height);
  void UseUserScale();
  void UpdateMapping();
  FontFace& Face();
  void DrawPicture();
  // Cls with a backdrop: what was drawn, and what changed on the backdrop, shows it again.
  void ShowBackdrop();

  int width_ = 0;
  int height_ = 0;
  double width_d_ = 0;
  double height_d_ = 0;
  int wanted_steps_ = kScaleSteps;       // the scale asked for
  int scale_steps_ = kScaleSteps;        // the scale in use
  int wanted_text_steps_ = kScaleSteps;  // the text scale asked for
  int text_steps_ = kScaleSteps;         // the text scale in use
  bool scale_is_one_ = true;
  int device_width_ = 0;
  int device_height_ = 0;
  std::vector<uint32_t> pixels_;  // the device store
  uint64_t store_version_ = 0;
  std::vector<uint32_t> drawn_points_;  // room for the points drawn since the last fill
  size_t drawn_count_ = 0;
  std::vector<DeviceBox> drawn_boxes_;
  bool drawn_everywhere_ = false;
  std::vector<uint32_t> backdrop_;           // none, or as large as the store
  std::vector<DeviceBox> backdrop_changes_;  // shown at the next Cls
  bool backdrop_everywhere_ = false;
  std::vector<uint8_t> pending_tiles_;  // changed by a backdrop shown since the last TakeChanges
  std::vector<uint8_t> drawn_tiles_;    // row by row, tiles_across_ to a row
  std::vector<uint8_t> shown_tiles_;
  int tiles_across_ = 0;
  bool changed_everywhere_ = true;
  uint32_t filled_with_ = 0;  // the value the store was last filled with
  float left_in_container_ = 0;
  float top_in_container_ = 0;

  bool points_lighten_ = false;
  bool user_scale_ = false;
  float scale_left_ = 0;
  float scale_top_ = 0;
  float scale_width_ = 0;
  float scale_height_ = 0;
  double pixels_per_unit_x_ = 0;
  double pixels_per_unit_y_ = 0;

  Color back_color_ = RGB(255, 255, 255);
  Color fore_color_ = 0;
  float current_x_ = 0;
  float current_y_ = 0;
  FontSpec font_;
  std::shared_ptr<FontFace> face_;         // measures and lays out, at 1x
  std::shared_ptr<FontFace> device_face_;  // draws, at the text scale
  PictureRef picture_;
};

// Points in bulk: a snapshot of the surface's mapping and store for a loop that sets many
// points, so that nothing of the surface is read again per point. It gives the same pixels as
// PSet, and is valid while the surface keeps its size, scale and coordinate system (a loop
// over one firework's sparkles).
class Surface::Points {
 public:
  explicit Points(Surface& surface)
      : surface_(surface),
        bits_(surface.pixels_.data()),
        stride_(static_cast<size_t>(surface.device_width_)),
        left_(surface.scale_left_),
        top_(surface.scale_top_),
        per_unit_x_(surface.pixels_per_unit_x_),
        per_unit_y_(surface.pixels_per_unit_y_),
        width_(surface.width_d_),
        height_(surface.height_d_),
        scale_is_one_(surface.scale_is_one_),
        lighten_(surface.points_lighten_) {}

  void PSet(float x, float y, Color color) {
    const double px = (static_cast<double>(x) - left_) * per_unit_x_;
    const double py = (static_cast<double>(y) - top_) * per_unit_y_;
    // Written so that NaN fails the test and is clipped.
    if (px >= 0.0 && px < width_ && py >= 0.0 && py < height_) {
      uint32_t value = StoredPixel(color);
      const int ix = static_cast<int>(px), iy = static_cast<int>(py);
      if (scale_is_one_) [[likely]] {
        uint32_t& pixel = bits_[static_cast<size_t>(iy) * stride_ + static_cast<size_t>(ix)];
        pixel = lighten_ ? Lighter(value, pixel) : value;
        surface_.RecordPoint(ix, iy);
      } else {
        if (lighten_) value = Lighter(value, surface_.BlockPixel(ix, iy));
        surface_.FillBlock(ix, iy, value);
      }
    }
  }

  // Whether points at this height can land on the surface at all.
  bool ShowsHeight(float y) const {
    const double py = (static_cast<double>(y) - top_) * per_unit_y_;
    return py >= 0.0 && py < height_;
  }

 private:
  Surface& surface_;
  uint32_t* bits_;
  size_t stride_;
  double left_, top_, per_unit_x_, per_unit_y_, width_, height_;
  bool scale_is_one_;
  bool lighten_;
};

inline void Surface::PSet(float x, float y, Color color) {
  Points(*this).PSet(x, y, color);
}

}  // namespace starquill
