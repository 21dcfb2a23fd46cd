#include "show/sky_sounds.h"

#include "engine/clsFlimmerMultiRocket.h"
#include "engine/clsFlimmerpathrocket.h"
#include "engine/clsFlimmerrocket.h"
#include "engine/clsFlimmerspinbackpathrocket.h"
#include "engine/clsFlimmerspinpathrocket.h"

namespace starquill {
namespace {

constexpr double kSkyHeight = 200;
constexpr size_t kWatchedRockets = 64;

// Calls `seen(index, rocket)` for each burst rocket of a firework: itself, or a multi rocket's.
template <typename Seen>
void ForEachBurstRocket(const Firework& firework, Seen seen) {
  if (const auto* rocket = firework.As<clsFlimmerrocket>()) {
    seen(0, *rocket);
  } else if (const auto* multi = firework.As<clsFlimmerMultiRocket>()) {
    const auto& rockets = multi->Rockets();
    for (size_t i = 0; i < rockets.size() && i < kWatchedRockets; ++i)
      seen(i, rockets[i]);
  }
}

uint64_t BurstRockets(const Firework& firework) {
  uint64_t burst = 0;
  ForEachBurstRocket(firework, [&](size_t i, const clsFlimmerrocket& rocket) {
    if (rocket.Exploded) burst |= uint64_t{1} << i;
  });
  return burst;
}

// The trail of a path kind, or nothing.
const std::vector<clsFlimmer>* Trail(const Firework& firework) {
  if (const auto* r = firework.As<clsFlimmerpathrocket>()) return &r->Sparkles();
  if (const auto* r = firework.As<clsFlimmerspinpathrocket>()) return &r->Sparkles();
  if (const auto* r = firework.As<clsFlimmerspinbackpathrocket>()) return &r->Sparkles();
  return nullptr;
}

}  // namespace

void SkySounds::BeforeStep(std::span<const Firework> fireworks) {
  burst_.resize(fireworks.size());
  for (size_t i = 0; i < fireworks.size(); ++i)
    burst_[i] = BurstRockets(fireworks[i]);
}

void SkySounds::AfterStep(std::span<const Firework> fireworks, double skyWidth, ShowSound& sound) {
  const double width = skyWidth > 0 ? skyWidth : 1;
  const auto share = [&](double x, double y) {
    return std::pair{static_cast<float>(x / width), static_cast<float>(y / kSkyHeight)};
  };
  for (size_t i = 0; i < fireworks.size() && i < burst_.size(); ++i) {
    const Firework& firework = fireworks[i];
    ForEachBurstRocket(firework, [&](size_t k, const clsFlimmerrocket& rocket) {
      if (rocket.Exploded && (burst_[i] & (uint64_t{1} << k)) == 0) {
        const auto [x, y] = share(rocket.PosX, rocket.PosY);
        sound.Burst(x, y, rocket.Count);
      }
    });
    if (const auto* trail = Trail(firework)) {
      double sumX = 0, sumY = 0;
      int32_t live = 0;
      for (const clsFlimmer& sparkle : *trail) {
        if (sparkle.PosY <= 0) continue;
        sumX += sparkle.PosX;
        sumY += sparkle.PosY;
        ++live;
      }
      if (live > 0) {
        const auto [x, y] = share(sumX / live, sumY / live);
        sound.Crackle(x, y, live);
      }
    }
  }
}

}  // namespace starquill
