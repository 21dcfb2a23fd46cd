#include "platform/drawing/surface.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace starquill {
namespace {

constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kBlue = RGB(0, 0, 255);
constexpr Color kBlack = 0;

// The pixels of one row that hold `color`.
std::vector<int> ColumnsIn(const Surface& s, int y, Color color) {
  std::vector<int> xs;
  for (int x = 0; x < s.PixelWidth(); ++x) {
    if (s.Pixel(x, y) == color) xs.push_back(x);
  }
  return xs;
}

int CountPixels(const Surface& s, Color color) {
  int n = 0;
  for (int y = 0; y < s.PixelHeight(); ++y)
    n += static_cast<int>(ColumnsIn(s, y, color).size());
  return n;
}

Surface Sky(int width, int height) {
  Surface sky(width, height);
  sky.SetBackColor(kBlack);
  sky.Cls();
  sky.SetScaleTop(200);
  sky.SetScaleHeight(-200);
  sky.SetScaleLeft(0);
  sky.SetScaleWidth(static_cast<float>(200.0 / height * width));
  return sky;
}

TEST(SurfaceScale, WithoutAScaleUnitsArePixels) {
  Surface s(10, 8);
  EXPECT_EQ(s.ScaleWidth(), 10);
  EXPECT_EQ(s.ScaleHeight(), 8);
  s.PSet(3, 4, kRed);
  EXPECT_EQ(s.Pixel(3, 4), kRed);
  s.PSet(3.99f, 4.99f, kBlue);  // a point lands in the pixel whose square contains it
  EXPECT_EQ(s.Pixel(3, 4), kBlue);
  s.Move(0, 0, 20, 16);
  EXPECT_EQ(s.ScaleWidth(), 20);  // a pixel surface stays one
  EXPECT_EQ(s.ScaleHeight(), 16);
}

TEST(SurfaceScale, NegativeHeightMakesYGrowUpwards) {
  Surface sky = Sky(400, 200);
  EXPECT_FLOAT_EQ(sky.ScaleWidth(), 400);
  sky.PSet(0, 200, kRed);  // top-left corner
  EXPECT_EQ(sky.Pixel(0, 0), kRed);
  sky.PSet(399.9f, 0.01f, kRed);  // just inside the bottom-right corner
  EXPECT_EQ(sky.Pixel(399, 199), kRed);
  sky.PSet(200, 100.5f, kBlue);
  EXPECT_EQ(sky.Pixel(200, 99), kBlue);
  EXPECT_EQ(sky.Point(200, 100.5f), kBlue);
}

TEST(SurfaceScale, UserScaleStretchesOverThePixels) {
  Surface s(100, 100);
  s.SetScaleWidth(50);  // two pixels per unit across
  s.SetScaleHeight(25);
  s.PSet(10.4f, 5, kRed);
  s.PSet(10.6f, 5, kBlue);
  EXPECT_EQ(s.Pixel(20, 20), kRed);
  EXPECT_EQ(s.Pixel(21, 20), kBlue);
  s.Move(0, 0, 200, 100);  // a user scale keeps its extent when the surface grows
  EXPECT_EQ(s.ScaleWidth(), 50);
  s.PSet(10, 5, kRed);
  EXPECT_EQ(s.Pixel(40, 20), kRed);
}

TEST(SurfaceClipping, PointsOutsideOrInvalidAreIgnored) {
  Surface sky = Sky(400, 200);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  sky.PSet(200, 0, kRed);  // the bottom edge lies just outside
  sky.PSet(-0.001f, 100, kRed);
  sky.PSet(400, 100, kRed);
  sky.PSet(200, 200.01f, kRed);
  sky.PSet(nan, 100, kRed);
  sky.PSet(100, nan, kRed);
  sky.PSet(inf, -inf, kRed);
  sky.PSet(3e38f, -3e38f, kRed);
  EXPECT_EQ(CountPixels(sky, kRed), 0);
  EXPECT_EQ(sky.Pixel(-1, 0), -1);
  EXPECT_EQ(sky.Point(200, 0), -1);
}

TEST(SurfaceClipping, ZeroExtentOrSizeDrawsNothing) {
  Surface s(10, 10);
  s.SetScaleWidth(0);
  s.PSet(1, 1, kRed);
  s.Line(0, 0, 5, 5, kRed);
  s.FillBox(0, 0, 5, 5, kRed);
  s.Print("x");
  EXPECT_EQ(s.TextWidth("x"), 0);
  EXPECT_EQ(CountPixels(s, kRed), 0);

  Surface empty(0, 0);
  empty.PSet(0, 0, kRed);
  empty.Line(-5, -5, 5, 5, kRed);
  empty.FillBox(0, 0, 1, 1, kRed);
  empty.Cls();
  empty.Print("nothing");
  EXPECT_EQ(empty.Pixel(0, 0), -1);
  Surface huge(100000, -3);
  EXPECT_EQ(huge.PixelWidth(), Surface::kMaxPixels);
  EXPECT_EQ(huge.PixelHeight(), 0);
}

TEST(SurfaceLine, StopsBeforeItsEndPoint) {
  Surface s(10, 10);
  s.SetBackColor(kBlack);
  s.Cls();
  s.Line(0, 0, 5, 0, kRed);
  EXPECT_EQ(ColumnsIn(s, 0, kRed), (std::vector<int>{0, 1, 2, 3, 4}));
  s.Line(5, 1, 0, 1, kRed);  // drawn the other way it still starts at its first point
  EXPECT_EQ(ColumnsIn(s, 1, kRed), (std::vector<int>{1, 2, 3, 4, 5}));
  s.Line(7, 2, 7, 6, kBlue);
  for (int y = 2; y < 6; ++y)
    EXPECT_EQ(s.Pixel(7, y), kBlue) << y;
  EXPECT_EQ(s.Pixel(7, 6), kBlack);
  s.Line(3, 3, 3, 3, kRed);  // no length, no pixel
  EXPECT_EQ(s.Pixel(3, 3), kBlack);
}

TEST(SurfaceLine, DiagonalsStepOnePixelAtATime) {
  Surface s(10, 10);
  s.SetBackColor(kBlack);
  s.Cls();
  s.Line(0, 2, 2, 0, kRed);
  EXPECT_EQ(s.Pixel(0, 2), kRed);
  EXPECT_EQ(s.Pixel(1, 1), kRed);
  EXPECT_EQ(s.Pixel(2, 0), kBlack);
  EXPECT_EQ(CountPixels(s, kRed), 2);
  s.Line(0, 0, 9, 3, kBlue);  // a shallow line keeps one pixel per column
  EXPECT_EQ(CountPixels(s, kBlue), 9);
}

TEST(SurfaceLine, LongLinesAreClippedNotWalked) {
  Surface s(50, 20);
  s.SetBackColor(kBlack);
  s.Cls();
  s.Line(-1e9f, 10, 1e9f, 10, kRed);
  EXPECT_EQ(ColumnsIn(s, 10, kRed).size(), 50u);
  s.Line(25, -3e9f, 25, 3e9f, kBlue);
  for (int y = 0; y < 20; ++y)
    EXPECT_EQ(s.Pixel(25, y), kBlue);
  s.Line(-1e9f, -1e9f, 1e9f, 1e9f, kRed);  // the diagonal through the surface
  EXPECT_EQ(s.Pixel(5, 5), kRed);
  s.Line(-1e9f, 100, 1e9f, 1e9f, kBlue);  // misses the surface entirely
}

TEST(SurfaceBox, FillsBothCornersInAnyOrder) {
  Surface s(10, 10);
  s.SetBackColor(kBlack);
  s.Cls();
  s.FillBox(6, 5, 2, 3, kRed);
  EXPECT_EQ(CountPixels(s, kRed), 5 * 3);
  EXPECT_EQ(s.Pixel(2, 3), kRed);
  EXPECT_EQ(s.Pixel(6, 5), kRed);
  s.FillBox(-100, 8, 100, 300, kBlue);  // clipped to the surface
  EXPECT_EQ(CountPixels(s, kBlue), 10 * 2);
}

TEST(SurfaceCls, PaintsBackgroundAndPictureAndResetsTextPosition) {
  Surface s(4, 3);
  s.SetBackColor(kBlue);
  s.SetCurrentX(2);
  s.SetCurrentY(2);
  s.Cls();
  EXPECT_EQ(CountPixels(s, kBlue), 12);
  EXPECT_EQ(s.CurrentX(), 0);
  EXPECT_EQ(s.CurrentY(), 0);

  Surface painter(2, 2);
  painter.SetBackColor(kRed);
  painter.Cls();
  s.SetPicture(painter.Image());
  EXPECT_EQ(CountPixels(s, kRed), 4);
  s.SetBackColor(kBlack);
  s.SetCurrentX(1);
  s.Cls();  // the picture shows again over the background
  EXPECT_EQ(CountPixels(s, kRed), 4);
  EXPECT_EQ(CountPixels(s, kBlack), 8);
}

TEST(SurfaceImage, IsAnOpaqueSnapshot) {
  Surface s(3, 1);
  s.SetPixelV(1, 0, RGB(1, 2, 3));
  s.SetPixelV(3, 0, kRed);  // outside: ignored
  s.SetPixelV(-1, 0, kRed);
  const PictureRef image = s.Image();
  s.SetPixelV(1, 0, kRed);
  ASSERT_EQ(image->pixels.size(), 3u);
  EXPECT_EQ(image->pixels[1], kOpaque | static_cast<uint32_t>(RGB(1, 2, 3)));
  EXPECT_EQ(s.Pixel(1, 0), kRed);
}

TEST(SurfacePicture, SettingItStartsTheDrawingAfreshAndBlendsByOpacity) {
  Surface s(4, 1);
  s.SetBackColor(kBlue);
  s.SetPixelV(3, 0, kRed);
  auto picture = std::make_shared<Bitmap>();
  picture->width = 3;
  picture->height = 1;
  picture->pixels = {0xFF000000u | RGB(0, 255, 0), 0x00000000u | RGB(255, 255, 255),
                     0x80000000u | RGB(255, 0, 0)};
  s.SetPicture(picture);
  EXPECT_EQ(s.Pixel(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(s.Pixel(1, 0), kBlue);             // transparent: the background shows
  EXPECT_EQ(s.Pixel(2, 0), RGB(128, 0, 127));  // half over blue
  EXPECT_EQ(s.Pixel(3, 0), kBlue);             // the earlier drawing is gone
  s.SetPicture(nullptr);
  EXPECT_EQ(CountPixels(s, kBlue), 4);
}

TEST(SurfacePicture, RendersScaledAndMeasuresInHimetric) {
  Bitmap icon;
  icon.width = 2;
  icon.height = 2;
  icon.pixels = {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFFFFFFFFu};
  EXPECT_EQ(icon.HimetricWidth(), 53);  // 2 px at 96 DPI
  EXPECT_EQ(HimetricToPixels(icon.HimetricWidth()), 2);
  EXPECT_EQ(HimetricToPixels(847), 32);
  Surface s(6, 6);
  s.SetBackColor(kBlack);
  s.Cls();
  s.PaintPicture(icon, 1, 1, 4, 4);  // each pixel becomes 2 x 2
  EXPECT_EQ(s.Pixel(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(s.Pixel(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(s.Pixel(3, 1), RGB(0, 255, 0));
  EXPECT_EQ(s.Pixel(4, 4), RGB(255, 255, 255));
  EXPECT_EQ(s.Pixel(5, 5), kBlack);
  s.PaintPicture(icon, -100, 4, 1000, 1000);  // clipped, no fault
  Bitmap broken;
  broken.width = 5;  // claims pixels it does not have
  s.PaintPicture(broken, 0, 0, 5, 5);
}

TEST(SurfaceText, PrintPlacesTheLineAtTheTextPositionAndMovesDown) {
  Surface s(200, 60);
  s.SetBackColor(kBlack);
  s.Cls();
  s.SetForeColor(RGB(255, 255, 255));
  s.SetCurrentX(10);
  s.SetCurrentY(5);
  const float width = s.TextWidth("Hello");
  const float height = s.TextHeight("|");
  ASSERT_GT(width, 0);
  ASSERT_GT(height, 0);
  s.Print("Hello");
  EXPECT_EQ(s.CurrentX(), 0);
  EXPECT_EQ(s.CurrentY(), 5 + height);
  int inside = 0, outside = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (s.Pixel(x, y) == kBlack) continue;
      const bool in = x >= 10 && x < 10 + width && y >= 5 && y < 5 + height;
      (in ? inside : outside)++;
    }
  }
  EXPECT_GT(inside, 10);
  EXPECT_EQ(outside, 0);
}

TEST(SurfaceText, MeasuresInScaleUnits) {
  Surface pixels(400, 200);
  Surface sky = Sky(400, 200);
  pixels.SetFontSize(18);
  sky.SetFontSize(18);
  // The sky has one unit per pixel, so the extent is the same; y growing upwards does not
  // make heights negative.
  EXPECT_EQ(sky.TextWidth("Starquill"), pixels.TextWidth("Starquill"));
  EXPECT_EQ(sky.TextHeight("|"), pixels.TextHeight("|"));
  pixels.SetScaleWidth(800);  // half a pixel per unit: twice the units
  EXPECT_EQ(pixels.TextWidth("Starquill"), 2 * sky.TextWidth("Starquill"));
  // Printing on the sky goes downwards from the top edge.
  sky.SetCurrentX(0);
  sky.SetCurrentY(200);
  sky.Print("1 rockets active");
  EXPECT_EQ(sky.CurrentY(), 200 - sky.TextHeight("|"));
}

TEST(SurfaceText, FontSizeChangesTheNextPrint) {
  Surface s(100, 100);
  s.SetFont({"Arial", 8, false, false});
  const float small = s.TextHeight("|");
  s.SetFontSize(36);
  EXPECT_EQ(s.FontSize(), 36);
  EXPECT_EQ(s.Font().name, "Arial");
  EXPECT_GT(s.TextHeight("|"), 3 * small);
}

// --- Device scale ------------------------------------------------------------------------------

// The surface pixel whose block holds device pixel d at scale num/den: the i with
// floor(i * num / den) <= d < floor((i + 1) * num / den).
int OwnerOf(int d, int num, int den) {
  int i = 0;
  while ((i + 1) * num / den <= d)
    ++i;
  return i;
}

// Every device pixel of `scaled` shows what `flat` (the same drawing at scale 1) has in the
// surface pixel that owns it, and every pixel reads back as on `flat`.
void ExpectBlocksOf(const Surface& flat, const Surface& scaled, int num, int den) {
  ASSERT_EQ(scaled.DeviceWidth(), flat.PixelWidth() * num / den);
  ASSERT_EQ(scaled.DeviceHeight(), flat.PixelHeight() * num / den);
  for (int dy = 0; dy < scaled.DeviceHeight(); ++dy) {
    for (int dx = 0; dx < scaled.DeviceWidth(); ++dx) {
      ASSERT_EQ(scaled.DevicePixel(dx, dy),
                flat.Pixel(OwnerOf(dx, num, den), OwnerOf(dy, num, den)))
          << dx << "," << dy;
    }
  }
  for (int y = 0; y < flat.PixelHeight(); ++y) {
    for (int x = 0; x < flat.PixelWidth(); ++x)
      ASSERT_EQ(scaled.Pixel(x, y), flat.Pixel(x, y)) << x << "," << y;
  }
}

// A window finds the pixel under the pointer this way, on either side of its origin.
TEST(SurfaceDeviceScale, EachDevicePixelLiesInTheBlockOfThePixelFoundForIt) {
  for (const int steps : {120, 480, 600, 640, 720, 840, 1440, 3840}) {
    for (int64_t d = -40; d <= 40; ++d) {
      const int64_t i = PixelAtDevice(d, steps);
      ASSERT_LE(DeviceEdge(i, steps), d) << steps << " " << d;
      ASSERT_LT(d, DeviceEdge(i + 1, steps)) << steps << " " << d;
    }
  }
}

TEST(SurfaceDeviceScale, EveryDrawingPaintsWholeBlocksThatTileTheStore) {
  const auto draw = [](Surface& s) {
    s.SetBackColor(kBlack);
    s.Cls();
    for (int x = 0; x < s.PixelWidth(); ++x)  // alternating columns: every block edge shows
      s.PSet(static_cast<float>(x) + 0.5f, 0.5f, x % 2 ? kRed : kBlue);
    s.PSet(3.99f, 4.99f, kRed);
    s.Line(1, 2, 9, 2, kBlue);
    s.Line(0, 11, 7, 4, kRed);  // Bresenham diagonal
    s.Line(12, 3, 12, 10, kBlue);
    s.FillBox(8, 6, 10, 9, RGB(0, 255, 0));
    s.SetPixelV(46, 11, RGB(9, 9, 9));
  };
  Surface flat(47, 12);
  draw(flat);
  // Scales num/den, among them 4/3 and 7/5, whose doubles are not exact (45 * 1.4 falls short
  // of 63 in doubles).
  for (const auto& [num, den] :
       std::vector<std::pair<int, int>>{{2, 1}, {5, 4}, {4, 3}, {7, 5}, {3, 2}, {3, 1}}) {
    SCOPED_TRACE(std::to_string(num) + "/" + std::to_string(den));
    Surface scaled(47, 12);
    scaled.SetDeviceScale(static_cast<double>(num) / den);
    EXPECT_EQ(scaled.DeviceScale(), static_cast<double>(num) / den);
    draw(scaled);
    ExpectBlocksOf(flat, scaled, num, den);
  }
}

TEST(SurfaceDeviceScale, ANewScaleClearsAndShowsThePictureAgain) {
  auto green = std::make_shared<Bitmap>();
  green->width = 2;
  green->height = 2;
  green->pixels.assign(4, kOpaque | RGB(0, 255, 0));
  Surface s(4, 3);
  s.SetBackColor(kBlue);
  s.SetPicture(green);
  s.PSet(3, 2, kRed);
  s.SetDeviceScale(2);
  EXPECT_EQ(s.DeviceWidth(), 8);
  EXPECT_EQ(s.DeviceHeight(), 6);
  EXPECT_EQ(s.Pixel(3, 2), kBlue);  // the drawing is gone
  EXPECT_EQ(s.DevicePixel(3, 3), RGB(0, 255, 0));
  EXPECT_EQ(s.DevicePixel(4, 3), kBlue);
  s.PSet(3, 2, kRed);
  s.SetDeviceScale(2.0);  // the same scale changes nothing
  EXPECT_EQ(s.Pixel(3, 2), kRed);

  for (double bad : {std::nan(""), -2.0, 0.0, HUGE_VAL}) {
    s.SetDeviceScale(bad);
    EXPECT_EQ(s.DeviceScale(), 1) << bad;
  }
  s.SetDeviceScale(1000);
  EXPECT_EQ(s.DeviceScale(), 8);
  // A store that would pass the size limit takes the largest scale that fits.
  Surface wide(Surface::kMaxPixels / 2 + 1, 2);
  wide.SetDeviceScale(3);
  EXPECT_LE(wide.DeviceWidth(), Surface::kMaxPixels);
  EXPECT_GE(wide.DeviceScale(), 1.99);
  wide.PSet(static_cast<float>(wide.PixelWidth()) - 0.5f, 1.5f, kRed);
  EXPECT_EQ(wide.Pixel(wide.PixelWidth() - 1, 1), kRed);
}

TEST(SurfaceDeviceScale, PicturesAreMadeAndShownAtDeviceResolution) {
  Surface painter(3, 2);
  painter.SetDeviceScale(2);
  painter.SetBackColor(kBlack);
  painter.Cls();
  painter.Line(0, 0, 3, 1, kRed);
  const PictureRef image = painter.Image();
  EXPECT_EQ(image->width, 6);
  EXPECT_EQ(image->height, 4);
  EXPECT_EQ(image->scale, 2);
  EXPECT_EQ(image->HimetricWidth(), PixelsToHimetric(3));  // it stands for 3 x 2 pixels
  // Shown at its own density it comes back pixel for pixel; at 1x it covers 3 x 2 pixels.
  Surface dense(5, 5), flat(5, 5);
  dense.SetDeviceScale(2);
  dense.SetPicture(image);
  flat.SetPicture(image);
  for (int dy = 0; dy < 4; ++dy) {
    for (int dx = 0; dx < 6; ++dx)
      EXPECT_EQ(static_cast<uint32_t>(dense.DevicePixel(dx, dy)) | kOpaque,
                image->pixels[static_cast<size_t>(dy) * 6 + dx]);
  }
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(flat.Pixel(x, y), painter.Pixel(x, y));
  }
  EXPECT_EQ(flat.Pixel(3, 0), RGB(255, 255, 255));

  // PaintPicture takes its box in pixels: a 2 x 2 icon in a 4 x 4 box at (1, 1) covers the
  // device pixels 2..9 at scale 2.
  Bitmap icon;
  icon.width = 2;
  icon.height = 2;
  icon.pixels = {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFFFFFFFFu};
  Surface s(6, 6);
  s.SetDeviceScale(2);
  s.SetBackColor(kBlack);
  s.Cls();
  s.PaintPicture(icon, 1, 1, 4, 4);
  EXPECT_EQ(ColumnsIn(s, 1, kRed), (std::vector<int>{1, 2}));
  EXPECT_EQ(s.DevicePixel(1, 2), kBlack);
  EXPECT_EQ(s.DevicePixel(2, 2), kRed);
  EXPECT_EQ(s.DevicePixel(9, 9), RGB(255, 255, 255));
  EXPECT_EQ(s.DevicePixel(10, 9), kBlack);
}

TEST(SurfaceDeviceScale, TextKeepsItsPlaceAndIsDrawnAtTheDeviceSize) {
  const std::string text = "Sparks & gold";
  // The text printed at (10, 5), whole or a character at a time at its 1x position.
  const auto printed = [&](double scale, bool by_character) {
    Surface s(200, 60);
    s.SetDeviceScale(scale);
    s.SetBackColor(kBlack);
    s.Cls();
    s.SetForeColor(RGB(255, 255, 255));
    s.SetFont({"Arial", 14, false, false});
    for (size_t i = 0; i < text.size(); i += by_character ? 1 : text.size()) {
      s.SetCurrentX(10 + s.TextWidth(text.substr(0, i)));
      s.SetCurrentY(5);
      s.Print(text.substr(i, by_character ? 1 : text.size()));
    }
    return s;
  };
  const auto ink_rows = [](const Surface& s) {
    int rows = 0;
    for (int dy = 0; dy < s.DeviceHeight(); ++dy) {
      for (int dx = 0; dx < s.DeviceWidth(); ++dx) {
        if (s.DevicePixel(dx, dy) != kBlack) {
          ++rows;
          break;
        }
      }
    }
    return rows;
  };
  Surface flat = printed(1, false);
  const float width = flat.TextWidth(text);
  const float height = flat.TextHeight("|");
  for (double scale : {2.0, 1.5}) {
    SCOPED_TRACE(scale);
    Surface dense = printed(scale, false);
    EXPECT_EQ(dense.TextWidth(text), width);
    EXPECT_EQ(dense.TextHeight("|"), height);
    EXPECT_EQ(dense.CurrentY(), flat.CurrentY());
    // The ink lies inside the 1x line box mapped to device pixels, and is drawn by the font
    // at the device size: as tall as the 1x ink times the scale, yet not 1x glyphs blown up.
    const auto edge = [&](double v) { return static_cast<int>(std::floor(v * scale)); };
    int inside = 0, outside = 0, unlike_blocks = 0;
    for (int dy = 0; dy < dense.DeviceHeight(); ++dy) {
      for (int dx = 0; dx < dense.DeviceWidth(); ++dx) {
        const Color p = dense.DevicePixel(dx, dy);
        unlike_blocks +=
            p != flat.Pixel(static_cast<int>(dx / scale), static_cast<int>(dy / scale));
        if (p == kBlack) continue;
        const bool in =
            dx >= edge(10) && dx < edge(10 + width) && dy >= edge(5) && dy < edge(5 + height);
        (in ? inside : outside)++;
      }
    }
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0);
    EXPECT_GE(ink_rows(dense), ink_rows(flat) * scale - 2);
    EXPECT_GT(unlike_blocks, inside / 4);
    // Each glyph sits where the 1x layout puts it.
    const Surface apart = printed(scale, true);
    for (int dy = 0; dy < dense.DeviceHeight(); ++dy) {
      for (int dx = 0; dx < dense.DeviceWidth(); ++dx)
        ASSERT_EQ(apart.DevicePixel(dx, dy), dense.DevicePixel(dx, dy)) << dx << "," << dy;
    }
  }
}

// A full-screen window at a ratio of 1.5 draws points in blocks of 2 but text at 1.5 (and at
// 1.25 in blocks of 1): the text then has the size of all other text on that screen.
TEST(SurfaceDeviceScale, TextHasAScaleOfItsOwn) {
  struct Ink {
    int x0 = INT_MAX, y0 = INT_MAX, x1 = -1, y1 = -1;  // device pixels, both ends included
  };
  const auto ink_of = [](const Surface& s) {
    Ink ink;
    for (int dy = 0; dy < s.DeviceHeight(); ++dy) {
      for (int dx = 0; dx < s.DeviceWidth(); ++dx) {
        if (s.DevicePixel(dx, dy) == kBlack) continue;
        ink = {std::min(ink.x0, dx), std::min(ink.y0, dy), std::max(ink.x1, dx),
               std::max(ink.y1, dy)};
      }
    }
    return ink;
  };
  const auto printed = [&](Surface& s) {
    s.SetBackColor(kBlack);
    s.Cls();
    s.SetForeColor(RGB(255, 255, 255));
    s.SetFont({"Arial", 14, false, false});
    s.SetCurrentX(10);
    s.SetCurrentY(5);
    s.Print("Sparks & gold");
    return ink_of(s);
  };
  Surface flat(200, 60);
  const Ink one = printed(flat);
  for (const auto& [device, text] : {std::pair{2.0, 1.5}, {1.0, 1.25}}) {
    SCOPED_TRACE(text);
    Surface s(200, 60);
    s.SetDeviceScale(device, text);
    EXPECT_EQ(s.DeviceScale(), device);
    EXPECT_EQ(s.TextScale(), text);
    const Ink ink = printed(s);
    EXPECT_NEAR(ink.y1 - ink.y0 + 1, (one.y1 - one.y0 + 1) * text, 2);
    EXPECT_NEAR(ink.x1 - ink.x0 + 1, (one.x1 - one.x0 + 1) * text, 3);
    // From the first device pixel of its place, at the text scale.
    EXPECT_NEAR(ink.x0, 10 * device + (one.x0 - 10) * text, 1);
    EXPECT_NEAR(ink.y0, 5 * device + (one.y0 - 5) * text, 1);
    EXPECT_EQ(s.TextWidth("Sparks & gold"), flat.TextWidth("Sparks & gold"));
    // Cls takes all of it away, also where the text reaches beyond its 1x box.
    s.Cls();
    EXPECT_EQ(ink_of(s).x1, -1);
  }
}

TEST(SurfaceDeviceScale, BadInputIsClippedAtEveryScale) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  Bitmap icon;
  icon.width = 1;
  icon.height = 1;
  icon.pixels = {0xFF0000FFu};
  for (double scale : {0.25, 0.7, 3.0, 8.0}) {
    SCOPED_TRACE(scale);
    Surface s(7, 5);
    s.SetDeviceScale(scale);
    s.SetBackColor(kBlack);
    s.Cls();
    s.PSet(nan, 1, kRed);
    s.PSet(3e38f, -3e38f, kRed);
    s.FillBox(-3e38f, nan, 3e38f, 2, kRed);
    s.Line(-1e9f, -1e9f, 1e9f, 1e9f, kRed);
    s.Line(-3e38f, 2, 3e38f, 2, kBlue);
    s.PaintPicture(icon, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    s.PaintPicture(icon, INT_MAX, 0, INT_MAX, 1);
    s.SetCurrentX(-3e38f);
    s.Print("far away");
    s.SetCurrentX(1);
    s.SetCurrentY(1);
    s.SetFontSize(1e9);
    s.Print("Wg");
    for (int x = 0; x < 7 && scale >= 1; ++x)  // below 1 blocks share device pixels
      EXPECT_EQ(s.Pixel(x, 2), kBlue) << x;
    EXPECT_EQ(s.Pixel(7, 0), -1);
    EXPECT_EQ(s.DevicePixel(-1, 0), -1);
    EXPECT_EQ(s.DevicePixel(s.DeviceWidth(), 0), -1);
  }
}

}  // namespace
}  // namespace starquill

namespace starquill {
namespace {

constexpr Color kOdd = RGB(250, 128, 7);  // every channel different, so that a swap shows

TEST(SurfaceFormat, EveryWayOfDrawingReadsBackTheColourItWasGiven) {
  for (const double scale : {1.0, 2.0}) {
    Surface s(40, 20);
    s.SetDeviceScale(scale);
    s.SetBackColor(kBlack);
    s.Cls();
    s.PSet(1.5f, 1.5f, kOdd);
    s.Line(3, 5, 10, 5, kOdd);
    s.FillBox(12, 2, 14, 4, kOdd);
    s.SetPixelV(16, 1, kOdd);
    auto dot = std::make_shared<Bitmap>();
    dot->width = dot->height = 1;
    dot->pixels = {kOpaque | static_cast<uint32_t>(kOdd)};
    s.PaintPicture(*dot, 18, 1, 1, 1);
    s.SetForeColor(kOdd);
    s.SetFont(FontSpec{"Arial", 30, true, false});
    s.SetCurrentX(20);
    s.Print("|");
    for (const auto& [x, y] :
         {std::pair{1, 1}, {3, 5}, {9, 5}, {12, 2}, {14, 4}, {16, 1}, {18, 1}}) {
      EXPECT_EQ(s.Pixel(x, y), kOdd) << x << "," << y << " at scale " << scale;
    }
    EXPECT_EQ(s.Point(1.5f, 1.5f), kOdd);
    EXPECT_EQ(CountPixels(s, kOdd) > 12, true);  // the bar's solid middle too
    // The window shows the store as it is: 0xFFRRGGBB.
    EXPECT_EQ(s.Bits()[0], kOpaque);
    EXPECT_EQ(s.Bits()[static_cast<size_t>(s.DeviceWidth()) * static_cast<size_t>(scale) +
                       static_cast<size_t>(scale)],
              0xFFFA8007u);
    EXPECT_EQ(s.Image()->pixels[static_cast<size_t>(s.DeviceWidth()) * static_cast<size_t>(scale) +
                                static_cast<size_t>(scale)],
              kOpaque | static_cast<uint32_t>(kOdd));
  }
}

// Whatever was drawn since the last clear, Cls leaves exactly what a clear of the whole store
// leaves.
TEST(SurfaceCls, ClearingWhatWasDrawnEqualsClearingEverything) {
  auto dot = std::make_shared<Bitmap>();
  dot->width = dot->height = 1;
  dot->pixels = {kOpaque | static_cast<uint32_t>(kRed)};
  const auto print = [](Surface& s, float x, float y) {
    s.SetForeColor(RGB(255, 255, 0));
    s.SetFont(FontSpec{"DejaVu Sans", 20, true, true});
    s.SetCurrentX(x);
    s.SetCurrentY(y);
    s.Print("Wg|jy");
  };
  const std::vector<std::function<void(Surface&)>> drawings = {
      [](Surface& s) {
        for (int i = 0; i < 500; ++i)
          s.PSet(static_cast<float>(i % 130), static_cast<float>(i % 67), kOdd);
      },
      [](Surface& s) { s.Line(-10, -10, 200, 90, kRed); },
      [](Surface& s) { s.Line(0, 30, 119, 30, kRed); },
      [](Surface& s) { s.Line(60, 0, 60, 59, kRed); },
      [](Surface& s) { s.FillBox(100, 50, 130, 70, kBlue); },
      [](Surface& s) { s.SetPixelV(119, 59, kRed); },
      [&](Surface& s) { print(s, -8, 65); },
      [&](Surface& s) { print(s, 100, 10); },
      [&](Surface& s) { print(s, 40, 40); },
      [&](Surface& s) { s.PaintPicture(*dot, 110, 0, 20, 20); },
  };
  for (const double scale : {1.0, 1.25, 2.0}) {
    for (size_t i = 0; i < drawings.size(); ++i) {
      Surface s(120, 60);
      s.SetDeviceScale(scale);
      s.SetBackColor(RGB(0, 0, 40));
      s.Cls();
      s.SetScaleTop(60);
      s.SetScaleHeight(-60);
      drawings[i](s);
      s.Cls();
      for (int dy = 0; dy < s.DeviceHeight(); ++dy) {
        for (int dx = 0; dx < s.DeviceWidth(); ++dx) {
          ASSERT_EQ(s.DevicePixel(dx, dy), RGB(0, 0, 40))
              << "drawing " << i << " at " << dx << "," << dy << ", scale " << scale;
        }
      }
    }
  }
  // More points than the record holds, and a new background colour: still everything.
  Surface s(40, 40);
  s.SetBackColor(kBlack);
  s.Cls();
  for (int round = 0; round < 3; ++round) {
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        s.SetPixelV(x, y, kOdd);
  }
  s.Cls();
  EXPECT_EQ(CountPixels(s, kBlack), 1600);
  s.SetBackColor(kBlue);
  s.Cls();
  EXPECT_EQ(CountPixels(s, kBlue), 1600);
}

}  // namespace
}  // namespace starquill

namespace starquill {
namespace {

// Every pixel that differs from the frame last shown lies in what TakeChanges reports.
TEST(SurfaceChanges, CoverEveryPixelThatDiffersFromTheFrameLastShown) {
  for (const double scale : {1.0, 2.0}) {
    Surface s(300, 100);
    s.SetDeviceScale(scale);
    s.SetBackColor(kBlack);
    s.Cls();
    ASSERT_EQ(s.TakeChanges().size(), 1u);  // a new store: all of it
    EXPECT_TRUE(s.TakeChanges().empty());   // nothing since
    std::vector<uint32_t> shown(s.Bits(), s.Bits() + s.DeviceWidth() * s.DeviceHeight());
    for (int frame = 0; frame < 4; ++frame) {
      s.Cls();
      for (int i = 0; i < 40; ++i) {
        s.PSet(static_cast<float>((i * 37 + frame * 91) % 300), static_cast<float>(i * 13 % 40),
               kOdd);
      }
      s.Line(static_cast<float>(frame * 50), 0, 299, 99, kRed);
      s.SetForeColor(kRed);
      s.SetCurrentX(static_cast<float>(frame * 40));
      s.SetCurrentY(70);
      s.Print("Wg");
      const std::vector<Surface::DeviceRect> changes = s.TakeChanges();
      const auto covered = [&](int x, int y) {
        for (const Surface::DeviceRect& r : changes) {
          if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) return true;
        }
        return false;
      };
      for (int y = 0; y < s.DeviceHeight(); ++y) {
        for (int x = 0; x < s.DeviceWidth(); ++x) {
          const uint32_t now = s.Bits()[static_cast<size_t>(y) * s.DeviceWidth() + x];
          if (now != shown[static_cast<size_t>(y) * s.DeviceWidth() + x]) {
            ASSERT_TRUE(covered(x, y)) << x << "," << y << " in frame " << frame;
          }
        }
      }
      shown.assign(s.Bits(), s.Bits() + s.DeviceWidth() * s.DeviceHeight());
    }
  }
}

}  // namespace
}  // namespace starquill
