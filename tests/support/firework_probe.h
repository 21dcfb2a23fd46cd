#pragma once
// Looks inside the fireworks of a show, for tests and benchmarks: how many sparkles they carry
// and whether every position is a real number.

#include <cmath>
#include <cstddef>
#include <cstdint>
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

// The kind of a firework as its launch mask bit (1 sparkle ... 32 multi rocket).
inline int32_t KindBit(const Firework& f) {
  if (f.As<clsFlimmer>()) return 1;
  if (f.As<clsFlimmerrocket>()) return 2;
  if (f.As<clsFlimmerpathrocket>()) return 4;
  if (f.As<clsFlimmerspinpathrocket>()) return 8;
  if (f.As<clsFlimmerspinbackpathrocket>()) return 16;
  if (f.As<clsFlimmerMultiRocket>()) return 32;
  return 0;
}

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
