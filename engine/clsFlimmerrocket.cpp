#include "engine/clsFlimmerrocket.h"

#include <algorithm>
#include <cmath>

#include "engine/head_flight.h"
#include "engine/list_prefix.h"

namespace starquill {

bool clsFlimmerrocket::SparkInTheAir() const {
  const auto shower = Prefix(sparks, Count);
  return std::any_of(shower.begin(), shower.end(), [](const clsFlimmer& s) { return s.PosY > 0; });
}

void clsFlimmerrocket::step() {
  if (Finished) return;
  // Down without a burst, or down with the whole shower: done. Otherwise the shower goes on
  // while the point stays put.
  if (!MoveHead(*this, [this] { return Exploded && SparkInTheAir(); })) return;

  if (!Exploded) {
    timeElapsed = CheckedAdd(timeElapsed, 1, "a burst rocket's tick count");
    // A shower made now is first stepped on the next tick.
    if (BurstDue(explodeTime, explodeHeight, timeElapsed, PosY, SpeedY)) explode();
  } else {
    clsFlimmer::StepAll(Prefix(sparks, Count));
  }
}

void clsFlimmerrocket::Draw(Surface& Canvas) {
  if (Finished) return;
  if (Exploded) clsFlimmer::DrawAll(Prefix(sparks, Count), Canvas);
  DrawHead(*this, Canvas);
}

void clsFlimmerrocket::DrawBetween(Surface& Canvas, const InBetween& at) const {
  if (Finished) return;
  if (Exploded) clsFlimmer::DrawAllBetween(Prefix(sparks, Count), Canvas, at);
  DrawHeadBetween(*this, Canvas, at);
}

void clsFlimmerrocket::explode() {
  sparks.assign(static_cast<size_t>(std::max(Count, 0)), clsFlimmer{});
  for (clsFlimmer& spark : sparks) {
    spark.PosX = PosX;
    spark.PosY = PosY;
    // Five draws per sparkle: angle, speed, then the colour's three.
    const double angle = Rnd() * 8 * std::atan(1.0);
    const double speed = Rnd() * Power;
    spark.SpeedX = std::cos(angle) * speed + SpeedX * 0.5;
    spark.SpeedY = std::sin(angle) * speed + SpeedY * 0.5;
    spark.AccelX = AccelX * 0.7;
    spark.AccelY = AccelY * 0.3;
    spark.SetColor(Color);
  }
  Exploded = true;
  if (Events) Events->Burst(PosX, PosY, Color, Count);
}

}  // namespace starquill
