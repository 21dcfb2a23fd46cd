// The launch director's core: what each kind of firework starts with.

#include <array>
#include <cmath>

#include "engine/clsFlimmer.h"
#include "engine/clsFlimmerMultiRocket.h"
#include "engine/clsFlimmerpathrocket.h"
#include "engine/clsFlimmerrocket.h"
#include "engine/clsFlimmerspinbackpathrocket.h"
#include "engine/clsFlimmerspinpathrocket.h"
#include "show/firework_kinds.h"
#include "show/frmMain.h"

namespace starquill {
namespace {

// Red, green, blue, yellow, cyan, magenta.
constexpr std::array<Color, 6> kPalette = {0x0000FF, 0x00FF00, 0xFF0000,
                                           0x00FFFF, 0xFFFF00, 0xFF00FF};

Color PaletteColor() {
  return kPalette[static_cast<size_t>(Int(Rnd() * 6.0))];
}

// Values computed in single precision, as a burst's size and strength are.
int32_t BurstCount() {
  return RoundToInt32(Rnd() * 200.0f + 600.0f);
}
double BurstPower() {
  return 2.0f * Rnd() + 2.0f;
}
// Between 7.854 and 785.4: pi / 4 x 10 ^ (2r + 1).
double SpinAngle() {
  return std::atan(1.0) / std::pow(0.1, 2.0 * Rnd() + 1);
}

// A firework of the kind with the shared start and a colour of the palette, before its own
// values.
template <typename Kind>
Kind Started(const LaunchStart& start) {
  Kind firework;
  firework.PosX = start.x;
  firework.PosY = 0;
  firework.SpeedX = start.speedX;
  firework.SpeedY = start.speedY;
  firework.AccelX = start.accelX;
  firework.AccelY = start.accelY;
  // The kinds that burst or trail tell the launch's listeners; the lone sparkle tells nothing.
  if constexpr (requires { firework.Events = start.events; }) firework.Events = start.events;
  if constexpr (requires { firework.SetColor(0); }) {
    firework.SetColor(PaletteColor());  // the sparkle varies its colour as it takes it
  } else {
    firework.Color = PaletteColor();
  }
  return firework;
}

Firework MakeSparkle(const LaunchStart& start) {
  return Firework(Started<clsFlimmer>(start));
}

Firework MakeBurstRocket(const LaunchStart& start) {
  auto rocket = Started<clsFlimmerrocket>(start);
  rocket.Count = BurstCount();
  rocket.Power = BurstPower();
  return Firework(std::move(rocket));
}

Firework MakePathRocket(const LaunchStart& start) {
  return Firework(Started<clsFlimmerpathrocket>(start));
}

template <typename Kind>
Firework MakeSpinning(const LaunchStart& start) {
  auto rocket = Started<Kind>(start);
  rocket.SpinAngle = SpinAngle();
  return Firework(std::move(rocket));
}

Firework MakeMultiRocket(const LaunchStart& start) {
  auto rocket = Started<clsFlimmerMultiRocket>(start);
  rocket.Count = BurstCount();
  rocket.RocketCount = RoundToInt32(Rnd() * 3.0f + 7.0f);
  rocket.Power = BurstPower();
  return Firework(std::move(rocket));
}

}  // namespace

const std::array<FireworkKindEntry, kFireworkKindCount> kFireworkKinds = {{
    {kSparkle, &MakeSparkle},
    {kBurstRocket, &MakeBurstRocket},
    {kPathRocket, &MakePathRocket},
    {kSpinPathRocket, &MakeSpinning<clsFlimmerspinpathrocket>},
    {kSpinBackPathRocket, &MakeSpinning<clsFlimmerspinbackpathrocket>},
    {kMultiRocket, &MakeMultiRocket},
}};

void frmMain::Launch(int32_t KindMask) {
  // A show nobody listens to launches fireworks that report nothing, and pays nothing for it.
  SkyEvents* const events = audience_.Empty() ? nullptr : &audience_;
  const LaunchStart start{
      .x = Picture1.ScaleWidth() / 2.0,
      .speedX = Rnd() * 6.0 - 3,
      .speedY = Rnd() + 5.0,
      .accelX = Rnd() * 0.02 - 0.01,
      .accelY = -0.1,
      .events = events,
  };
  // Rockets leave the middle of the ground together.
  if (events && (KindMask & kRocketKindsMask) != 0) events->Launch(start.x, 0);

  // One firework per bit, in bit order; each draws its colour, then its own values.
  for (const FireworkKindEntry& kind : kFireworkKinds) {
    if ((KindMask & KindBit(kind.id)) != 0) AppendFirework(kind.make(start));
  }
}

}  // namespace starquill
