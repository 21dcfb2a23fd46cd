// Where a window's pixels lie among its device pixels, without a window.

#include "platform/qt/window_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace starquill {
namespace {

// A centred window of 201 x 101 pixels behind a frame of 3, at a pixel ratio of 1.25: Qt made
// it 204 x 104 logical pixels, 255 x 130 device pixels.
WindowGeometry CentredAtAQuarterMore() {
  return {QSize(255, 130), 3, QSize(201, 101), false, ScaleSteps(1.25), 1.25};
}

TEST(WindowGeometry, ACentredClientAreaEndsAtTheWindowsEdgesAndTheFrameTakesTheRest) {
  const WindowGeometry geometry = CentredAtAQuarterMore();
  EXPECT_EQ(geometry.ClientSize(), QSize(201, 101));
  // 201 pixels are 251 device pixels (250 in 251.25): they start at 255 - 251.
  EXPECT_EQ(geometry.ClientOrigin(), QPoint(4, 4));
  const QRect client = geometry.DeviceRect(0, 0, 201, 101);
  EXPECT_EQ(client, QRect(4, 4, 251, 126));
  EXPECT_EQ(client.right(), 254);
  EXPECT_EQ(client.bottom(), 129);
  // The frame lies left of and above the first pixel.
  EXPECT_EQ(geometry.ClientPixel(QPoint(3, 3)), QPoint(-1, -1));
  EXPECT_EQ(geometry.ClientPixel(QPoint(4, 4)), QPoint(0, 0));
  EXPECT_EQ(geometry.ClientPixel(QPoint(254, 129)), QPoint(200, 100));
}

TEST(WindowGeometry, AFullScreenClientAreaIsTheWholePixelsTheScreenShowsAnyPartOf) {
  // 1001 x 601 device pixels at 2 device pixels per pixel: the last pixel is cut by the edge.
  const WindowGeometry geometry{QSize(1001, 601), 0, QSize(), true, ScaleSteps(2), 2};
  EXPECT_EQ(geometry.ClientSize(), QSize(501, 301));
  EXPECT_EQ(geometry.ClientOrigin(), QPoint(0, 0));
  EXPECT_EQ(geometry.DeviceRect(500, 300, 1, 1), QRect(1000, 600, 2, 2));
  // A centred size asked for earlier no longer counts.
  const WindowGeometry wasCentred{QSize(1001, 601), 0, QSize(200, 100), true, ScaleSteps(2), 2};
  EXPECT_EQ(wasCentred.ClientSize(), QSize(501, 301));
}

TEST(WindowGeometry, PixelsTileTheDevicePixelsWithoutGapsAndEachDevicePixelFindsItsPixel) {
  for (const double scale : {1.0, 1.25, 1.5, 2.0, 3.0, 1.0 / 3}) {
    const WindowGeometry geometry{QSize(200, 200), 0, QSize(), true, ScaleSteps(scale), scale};
    int next = 0;
    for (int pixel = 0; pixel < 40; ++pixel) {
      const QRect rect = geometry.DeviceRect(pixel, pixel, 1, 1);
      EXPECT_EQ(rect.left(), next) << scale << " " << pixel;
      next = rect.left() + rect.width();
      for (int device = rect.left(); device <= rect.right(); ++device)
        EXPECT_EQ(geometry.ClientPixel(QPoint(device, device)), QPoint(pixel, pixel)) << scale;
    }
  }
}

TEST(WindowGeometry, AMousePositionFindsThePixelUnderItsDevicePixel) {
  const WindowGeometry geometry = CentredAtAQuarterMore();
  // Logical 3.2 is device 4: the first pixel; just before it lies the frame.
  EXPECT_EQ(geometry.ClientPixelAt(QPointF(3.2, 3.2)), QPoint(0, 0));
  EXPECT_EQ(geometry.ClientPixelAt(QPointF(3.19, 3.19)), QPoint(-1, -1));
  // Logical 7 is device 8.75, the fifth device pixel of the client area: pixel 3 (3.75 to 5).
  EXPECT_EQ(geometry.ClientPixelAt(QPointF(7, 7)), QPoint(3, 3));
}

TEST(WindowGeometry, RectanglesBetweenDeviceAndLogicalPixelsAreRoundedOut) {
  const WindowGeometry geometry{QSize(300, 300), 0, QSize(), true, ScaleSteps(2), 1.5};
  // Device 1 to 2 lies in logical 0.67 to 1.33: logical pixels 0 and 1.
  EXPECT_EQ(geometry.LogicalRect(QRect(1, 1, 1, 1)), QRect(0, 0, 2, 2));
  // Logical pixel 1 is device 1.5 to 3: device pixels 1 and 2.
  EXPECT_EQ(geometry.DeviceRectOf(QRect(1, 1, 1, 1)), QRect(1, 1, 2, 2));
}

TEST(WindowGeometry, FarOffPointsAndRectanglesStayFarOffWithoutOverflow) {
  const WindowGeometry geometry{QSize(100, 100), 5, QSize(50, 50), false, ScaleSteps(8), 8};
  const QRect far = geometry.DeviceRect(INT_MAX, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_GE(far.left(), INT_MAX / 4);
  EXPECT_LE(far.top(), INT_MIN / 4);
  EXPECT_GT(far.width(), 0);
  const QPoint pixel = geometry.ClientPixel(QPoint(INT_MAX, INT_MIN));
  EXPECT_GT(pixel.x(), 0);
  EXPECT_LT(pixel.y(), 0);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const QPoint huge = geometry.ClientPixelAt(QPointF(1e300, -1e300));
  EXPECT_GT(huge.x(), 0);
  EXPECT_LT(huge.y(), 0);
  geometry.ClientPixelAt(QPointF(nan, std::numeric_limits<double>::infinity()));
}

}  // namespace
}  // namespace starquill
