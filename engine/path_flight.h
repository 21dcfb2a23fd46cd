#pragma once
// The flight shared by the three path kinds, which never burst: a red head on a ballistic arc
// that sheds a trail of sparkles. The head is parked at the ground once it comes down, and the
// rocket is done on a grounded tick on which no sparkle of its trail is in the air. The trail
// only grows; every sparkle ever shed is stepped and drawn on every tick.
//
// A kind derives from PathFlight<Kind> and supplies EmissionCount(), the number of sparkles to
// shed after this tick's move, and sparkle(scount), which sheds them.
//
// With Events set, each step that leaves sparkles of the trail alight reports the trail.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/clsFlimmer.h"
#include "engine/head_flight.h"
#include "engine/sky_events.h"
#include "platform/drawing/surface.h"
#include "platform/support/numbers.h"

namespace starquill {

template <typename Kind>
class PathFlight {
 public:
  double PosX = 0;
  double PosY = 0;
  double SpeedX = 0;
  double SpeedY = 0;
  double AccelX = 0;
  double AccelY = 0;
  int32_t Color = 0;  // of the trail; the head is always red
  bool Finished = false;
  SkyEvents* Events = nullptr;  // told of the trail after each step, when set

  void step();
  void Draw(Surface& Canvas);
  // Draws the trail and the head at a moment between this tick and the next, changing nothing.
  void DrawBetween(Surface& Canvas, const InBetween& at) const;

  const std::vector<clsFlimmer>& Sparkles() const { return sparkles; }

 protected:
  // The trail, in the order it was shed.
  std::vector<clsFlimmer> sparkles;

 private:
  bool SparkleInTheAir() const {
    return std::any_of(sparkles.begin(), sparkles.end(),
                       [](const clsFlimmer& s) { return s.PosY > 0; });
  }
  // A pass over the whole trail: only made for a listener.
  void ReportTrail() const;
};

// Shedding while climbing and until the head falls at 2 units per tick: (SpeedY + 2) x 10.
inline int32_t ClimbingEmission(double SpeedY, double PosY) {
  return SpeedY > -2 && PosY > 0 ? RoundToInt32((SpeedY + 2) * 10) : 0;
}

// Shedding only on the way down, above height 10: (PosY - 10) x (-SpeedY) / 5.
inline int32_t FallingEmission(double SpeedY, double PosY) {
  return SpeedY <= 0 && PosY > 10 ? RoundToInt32((PosY - 10) * (-SpeedY) / 5) : 0;
}

template <typename Kind>
void PathFlight<Kind>::step() {
  if (Finished) return;
  // Parked at the ground, the rocket waits until the last sparkle of its trail is down.
  if (!MoveHead(*this, [this] { return SparkleInTheAir(); })) return;
  clsFlimmer::StepAll(sparkles);
  Kind& kind = static_cast<Kind&>(*this);
  kind.sparkle(kind.EmissionCount());
  if (Events) ReportTrail();
}

template <typename Kind>
void PathFlight<Kind>::ReportTrail() const {
  double sumX = 0, sumY = 0;
  int32_t live = 0;
  for (const clsFlimmer& s : sparkles) {
    if (!s.Alight()) continue;
    sumX += s.PosX;
    sumY += s.PosY;
    ++live;
  }
  if (live > 0) Events->Trail(sumX / live, sumY / live, live);
}

template <typename Kind>
void PathFlight<Kind>::Draw(Surface& Canvas) {
  if (Finished) return;
  clsFlimmer::DrawAll(sparkles, Canvas);
  DrawHead(*this, Canvas);
}

template <typename Kind>
void PathFlight<Kind>::DrawBetween(Surface& Canvas, const InBetween& at) const {
  if (Finished) return;
  clsFlimmer::DrawAllBetween(sparkles, Canvas, at);
  DrawHeadBetween(*this, Canvas, at);
}

}  // namespace starquill
