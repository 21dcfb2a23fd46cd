#include "engine/firework.h"

#include <gtest/gtest.h>

#include "engine/clsFlimmer.h"

namespace starquill {
namespace {

// A kind whose Finished is a field, as on the rockets.
struct FieldKind {
  int steps = 0;
  bool Finished = false;
  void step() { Finished = ++steps >= 2; }
  void Draw(Surface& canvas) { canvas.SetPixelV(0, 0, RGB(1, 2, 3)); }
  void DrawBetween(Surface& canvas, const InBetween&) const { canvas.SetPixelV(1, 0, 0); }
};

TEST(Firework, ReachesEveryKindThroughOneShape) {
  Surface canvas(2, 2);
  std::vector<Firework> list;
  list.emplace_back(FieldKind{});
  clsFlimmer sparkle;
  sparkle.PosX = 5;  // in the air, off the canvas
  sparkle.PosY = 10;
  sparkle.SetColor(RGB(200, 200, 200));
  list.emplace_back(sparkle);
  for (Firework& f : list) {
    f.step();
    f.Draw(canvas);
  }
  EXPECT_FALSE(list[0].Finished());
  EXPECT_FALSE(list[1].Finished());
  list[0].step();
  EXPECT_TRUE(list[0].Finished());
  EXPECT_EQ(canvas.Pixel(0, 0), RGB(1, 2, 3));

  ASSERT_NE(list[1].As<clsFlimmer>(), nullptr);
  EXPECT_EQ(list[1].As<FieldKind>(), nullptr);
  list[1].As<clsFlimmer>()->PosY = 0;
  EXPECT_TRUE(list[1].Finished());
}

}  // namespace
}  // namespace starquill
