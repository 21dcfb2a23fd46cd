#include "splash/modGrad.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing/surface.h"

namespace starquill {
namespace {

// A surface that records the lines drawn on it.
struct LineRecorder {
  LineRecorder(float w, float h) : width(w), height(h) {}
  float width, height;
  struct Line {
    float x1, y1, x2, y2;
    Color color;
  };
  std::vector<Line> lines;
  float ScaleWidth() const { return width; }
  float ScaleHeight() const { return height; }
  void Line(float x1, float y1, float x2, float y2, Color c) {
    lines.push_back({x1, y1, x2, y2, c});
  }
};

TEST(GradientFill, EqualColoursDrawEveryLineInTheStartColour) {
  LineRecorder s{10, 5};
  GradientFill(s, 0, 30, 60, 90, 30, 60, 90);
  ASSERT_EQ(s.lines.size(), 11u);  // 0 to 10 inclusive
  for (const auto& l : s.lines)
    EXPECT_EQ(l.color, RGB(30, 60, 90));
  EXPECT_EQ(s.lines.back().x1, 10);
  EXPECT_EQ(s.lines.back().y2, 5);
}

TEST(GradientFill, TheSplashBandSettlesFromColumn126) {
  LineRecorder s{593, 273};
  GradientFill(s, 0, 144, 2, 255, 2, 255, 25);
  ASSERT_EQ(s.lines.size(), 594u);
  EXPECT_EQ(s.lines[0].color, RGB(144, 2, 255));
  EXPECT_EQ(s.lines[1].color, RGB(140, 4, 253));  // steps R 4, G 2, B 2
  EXPECT_EQ(s.lines[36].color, RGB(0, 74, 183));
  EXPECT_EQ(s.lines[125].color, RGB(0, 252, 25));
  for (size_t i = 126; i < s.lines.size(); ++i)
    ASSERT_EQ(s.lines[i].color, RGB(0, 254, 25)) << i;
  for (size_t i = 0; i < s.lines.size(); ++i) {
    ASSERT_EQ(s.lines[i].x1, i);
    ASSERT_EQ(s.lines[i].x2, i);
    ASSERT_EQ(s.lines[i].y1, 0);
    ASSERT_EQ(s.lines[i].y2, 273);
  }
}

TEST(GradientFill, FractionalComponentsRiseByWholeStepsAndStopBeforeTheEnd) {
  LineRecorder s{129, 17};
  GradientFill(s, 0, 1.6, 204, 20, 115.2, 1.6, 204);  // steps R 1, G 0, B 0
  for (size_t i = 0; i < s.lines.size(); ++i) {
    const int red = static_cast<int>(std::min<size_t>(i, 113) + 2);  // 2, 3, ... 115
    ASSERT_EQ(s.lines[i].color, RGB(red, 204, 20)) << i;
  }
}

TEST(GradientFill, HorizontalLinesRunTopToBottom) {
  LineRecorder s{20, 3};
  GradientFill(s, 1, 0, 0, 0, 255, 0, 0);
  ASSERT_EQ(s.lines.size(), 4u);
  EXPECT_EQ(s.lines[2].y1, 2);
  EXPECT_EQ(s.lines[2].x2, 20);
  EXPECT_EQ(s.lines[0].color, 0);  // the step 3 \ 255 is 0: nothing changes
  EXPECT_EQ(s.lines[3].color, 0);
}

TEST(GradientFill, OtherDirectionsDrawNothing) {
  LineRecorder s{20, 20};
  for (const int32_t direction : {2, -1, 100})
    GradientFill(s, direction, 0, 0, 0, 255, 255, 255);
  EXPECT_TRUE(s.lines.empty());
}

TEST(GradientFill, HalvesAreDrawnToEven) {
  LineRecorder s{1, 1};
  GradientFill(s, 0, 2.5, 3.5, 0, 2.5, 3.5, 0);
  EXPECT_EQ(s.lines[0].color, RGB(2, 4, 0));
}

TEST(GradientFill, AComponentPassingBelowZeroMakesItsLinesFailQuietly) {
  LineRecorder s{12, 1};
  GradientFill(s, 0, 5, 0, 0, 0, 0, 0);  // step 12 \ 5 = 2: 5, 3, 1, then -1 for good
  ASSERT_EQ(s.lines.size(), 3u);
  EXPECT_EQ(s.lines[2].color, RGB(1, 0, 0));
}

// A canvas without the members does not compile.
template <typename Canvas>
concept Fillable = requires(Canvas& canvas) {
  GradientFill(canvas, 0, 0, 0, 0, 1, 1, 1);
};
struct NotASurface {};
static_assert(Fillable<Surface> && Fillable<LineRecorder> && !Fillable<NotASurface>);

TEST(GradientFill, PaintsARealSurface) {
  Surface board(4, 2);
  board.SetBackColor(0);
  board.Cls();
  GradientFill(board, 0, 10, 10, 10, 10, 10, 10);
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(board.Pixel(x, 1), RGB(10, 10, 10));
}

}  // namespace
}  // namespace starquill
