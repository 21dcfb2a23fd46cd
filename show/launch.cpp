// The launch director's core: what each kind of firework starts with.

#include <array>
#include <cmath>

#include "engine/clsFlimmer.h"
#include "engine/clsFlimmerMultiRocket.h"
#include "engine/clsFlimmerpathrocket.h"
#include "engine/clsFlimmerrocket.h"
#include "engine/clsFlimmerspinbackpathrocket.h"
#include "engine/clsFlimmerspinpathrocket.h"
#include "show/frmMain.h"

namespace starquill {
namespace {

// Red, green, blue, yellow, cyan, magenta.
constexpr std::array<Color, 6> kPalette = {0x0000FF, 0x00FF00, 0xFF0000,
                                           0x00FFFF, 0xFFFF00, 0xFF00FF};

// The motion every firework of one launch shares.
struct Start {
  double x, speedX, speedY, accelX, accelY;
};

template <typename Kind>
void SetStart(Kind& firework, const Start& start) {
  firework.PosX = start.x;
  firework.PosY = 0;
  firework.SpeedX = start.speedX;
  firework.SpeedY = start.speedY;
  firework.AccelX = start.accelX;
  firework.AccelY = start.accelY;
}

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

}  // namespace

void frmMain::Launch(int32_t KindMask) {
  const Start start{
      .x = Picture1.ScaleWidth() / 2.0,
      .speedX = Rnd() * 6.0 - 3,
      .speedY = Rnd() + 5.0,
      .accelX = Rnd() * 0.02 - 0.01,
      .accelY = -0.1,
  };

  // Rockets (any kind but the lone sparkle) leave the middle of the ground with a whoosh.
  if (sound_ && (KindMask & ~1 & 63) != 0) sound_->Launch(0.5f, 0);

  // One firework per bit, in bit order; each draws its colour, then its own values.
  const auto launch = [&](int32_t bit, auto kind, auto ownValues) {
    if ((KindMask & bit) == 0) return;
    SetStart(kind, start);
    if constexpr (requires { kind.SetColor(0); }) {
      kind.SetColor(PaletteColor());  // the sparkle varies its colour as it takes it
    } else {
      kind.Color = PaletteColor();
    }
    ownValues(kind);
    Append(std::move(kind));
  };
  const auto none = [](auto&) {};
  const auto burst = [](auto& rocket) {
    rocket.Count = BurstCount();
    rocket.Power = BurstPower();
  };
  const auto spin = [](auto& rocket) { rocket.SpinAngle = SpinAngle(); };
  launch(1, clsFlimmer{}, none);
  launch(2, clsFlimmerrocket{}, burst);
  launch(4, clsFlimmerpathrocket{}, none);
  launch(8, clsFlimmerspinpathrocket{}, spin);
  launch(16, clsFlimmerspinbackpathrocket{}, spin);
  launch(32, clsFlimmerMultiRocket{}, [](clsFlimmerMultiRocket& rocket) {
    rocket.Count = BurstCount();
    rocket.RocketCount = RoundToInt32(Rnd() * 3.0f + 7.0f);
    rocket.Power = BurstPower();
  });
}

}  // namespace starquill
