#include "platform/surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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
  EXPECT_EQ(s.Pixel(1, 0), kBlue);            // transparent: the background shows
  EXPECT_EQ(s.Pixel(2, 0), RGB(128, 0, 127));  // half over blue
  EXPECT_EQ(s.Pixel(3, 0), kBlue);            // the earlier drawing is gone
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
  RenderPicture(icon, s.View(), 1, 1, 4, 4);  // each pixel becomes 2 x 2
  EXPECT_EQ(s.Pixel(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(s.Pixel(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(s.Pixel(3, 1), RGB(0, 255, 0));
  EXPECT_EQ(s.Pixel(4, 4), RGB(255, 255, 255));
  EXPECT_EQ(s.Pixel(5, 5), kBlack);
  RenderPicture(icon, s.View(), -100, 4, 1000, 1000);  // clipped, no fault
  Bitmap broken;
  broken.width = 5;  // claims pixels it does not have
  RenderPicture(broken, s.View(), 0, 0, 5, 5);
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

}  // namespace
}  // namespace starquill
