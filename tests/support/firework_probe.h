#pragma once
// Looks inside the fireworks of a show, for tests and benchmarks: how many sparkles they carry
// and whether every position is a real number.

#include <cmath>
#include <cstddef>
#include <vector>

#include "engine/clsFlimmer.h"
#include "engine/clsFlimmerMultiRocket.h"
#include "engine/clsFlimmerpathrocket.h"
#include "engine/clsFlimmerrocket.h"
#include "engine/clsFlimmerspinbackpathrocket.h"
#include "engine/clsFlimmerspinpathrocket.h"
#include "engine/firework.h"

namespace starquill::testing {

struct FireworkCensus {
  size_t sparkles = 0;     // every sparkle held, in the air or not
  size_t positions = 0;    // positions looked at
  bool all_finite = true;  // no NaN or infinity in any position

  void See(double x, double y) {
    ++positions;
    all_finite = all_finite && std::isfinite(x) && std::isfinite(y);
  }
  void See(const std::vector<clsFlimmer>& sparkles_held) {
    sparkles += sparkles_held.size();
    for (const clsFlimmer& s : sparkles_held)
      See(s.PosX, s.PosY);
  }
  void See(const clsFlimmerrocket& r) {
    See(r.PosX, r.PosY);
    See(r.Sparks());
  }
};

inline FireworkCensus Census(const std::vector<Firework>& fireworks) {
  FireworkCensus census;
  for (const Firework& f : fireworks) {
    if (const auto* s = f.As<clsFlimmer>()) {
      ++census.sparkles;
      census.See(s->PosX, s->PosY);
    } else if (const auto* r = f.As<clsFlimmerrocket>()) {
      census.See(*r);
    } else if (const auto* p = f.As<clsFlimmerpathrocket>()) {
      census.See(p->PosX, p->PosY);
      census.See(p->Sparkles());
    } else if (const auto* sp = f.As<clsFlimmerspinpathrocket>()) {
      census.See(sp->PosX, sp->PosY);
      census.See(sp->Sparkles());
    } else if (const auto* sb = f.As<clsFlimmerspinbackpathrocket>()) {
      census.See(sb->PosX, sb->PosY);
      census.See(sb->Sparkles());
    } else if (const auto* m = f.As<clsFlimmerMultiRocket>()) {
      census.See(m->PosX, m->PosY);
      for (const clsFlimmerrocket& r : m->Rockets())
        census.See(r);
    }
  }
  return census;
}

}  // namespace starquill::testing
