#pragma once
// The firework kinds the show launches, in one place: each kind's bit in a kind mask (kind i has
// bit 2^i, in the order below) and how it is made. The automatic launcher's mixes, the keys'
// seven types and the programmes' choices are all made of these bits, so a kind added here is
// launched by the automatic launcher at once, and by a key once a type names it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "engine/firework.h"
#include "engine/sky_events.h"

namespace starquill {

enum FireworkKindId : size_t {
  kSparkle,
  kBurstRocket,
  kPathRocket,
  kSpinPathRocket,
  kSpinBackPathRocket,
  kMultiRocket,
  kFireworkKindCount
};

// What all fireworks of one launch share: their motion, and whom they tell what they do.
struct LaunchStart {
  double x, speedX, speedY, accelX, accelY;
  SkyEvents* events = nullptr;  // none: nobody listens
};

struct FireworkKindEntry {
  FireworkKindId id;
  // Makes one firework of the kind with the shared start, then its colour and its own values,
  // each drawn from the shared generator in this order.
  Firework (*make)(const LaunchStart& start);
};

// In bit order: Launch makes the kinds of a mask in this order.
extern const std::array<FireworkKindEntry, kFireworkKindCount> kFireworkKinds;

constexpr int32_t KindBit(FireworkKindId id) {
  return int32_t{1} << id;
}
constexpr int32_t KindMask(std::initializer_list<FireworkKindId> ids) {
  int32_t mask = 0;
  for (FireworkKindId id : ids)
    mask |= KindBit(id);
  return mask;
}
// Every kind: the automatic launcher draws its mixes from 1 to this.
inline constexpr int32_t kAllKindsMask = (int32_t{1} << kFireworkKindCount) - 1;
// The rockets: everything but the lone sparkle.
inline constexpr int32_t kRocketKindsMask = kAllKindsMask & ~KindBit(kSparkle);

// The seven firework types of the keys "1".."7" and "a".."g", and of the programmes.
inline constexpr std::array<int32_t, 7> kTypeMasks = {
    KindMask({kBurstRocket}),
    KindMask({kPathRocket}),
    KindMask({kSpinPathRocket}),
    KindMask({kBurstRocket, kPathRocket}),
    KindMask({kBurstRocket, kSpinPathRocket}),
    KindMask({kBurstRocket, kSpinBackPathRocket}),
    KindMask({kSpinBackPathRocket}),
};

}  // namespace starquill
