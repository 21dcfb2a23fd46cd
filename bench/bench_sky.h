#pragma once
// The sky the benchmarks draw on: 1920 x 1080 pixels, 200 units high, y growing upwards;
// showers of sparkles laid out as the show makes them; and a show holding them.

#include <cmath>
#include <cstddef>
#include <memory>
#include <vector>

#include "engine/clsFlimmer.h"
#include "platform/drawing/surface.h"
#include "platform/support/random.h"
#include "platform/toolkit/platform.h"
#include "show/frmMain.h"

namespace starquill {

inline constexpr int kSkyWidth = 1920;
inline constexpr int kSkyHeight = 1080;

inline Surface MakeSky() {
  Surface sky(kSkyWidth, kSkyHeight);
  sky.SetBackColor(0);
  sky.SetScaleTop(200);
  sky.SetScaleHeight(-200);
  sky.SetScaleLeft(0);
  sky.SetScaleWidth(200.0f / kSkyHeight * kSkyWidth);
  return sky;
}

// Bursts of 700 sparkles around a few points of the sky, with ages spread over their lifetime,
// so that drawing touches the sky the way a real show does. The same showers for any kind of
// sparkle: they all start from the generator's initial state. The sky is left cleared.
inline constexpr size_t kBurst = 700;  // sparkles in one shower
// Sparkles fade out after about 86 ticks: a benchmark renews its showers before that.
inline constexpr int kRefreshTicks = 40;

template <typename Sparkle>
std::vector<Sparkle> MakeShowers(size_t count, Surface& sky) {
  RestoreRandomState(InitialRandomState());
  std::vector<Sparkle> sparkles(count);
  const double width = sky.ScaleWidth();
  double cx = 0, cy = 0;
  for (size_t i = 0; i < count; ++i) {
    if (i % kBurst == 0) {  // a new burst
      cx = width * (0.1 + 0.8 * Rnd());
      cy = 120 + 60 * Rnd();
    }
    Sparkle& s = sparkles[i];
    const double angle = Rnd() * 8 * std::atan(1.0);
    const double speed = Rnd() * 3;
    s.PosX = cx;
    s.PosY = cy;
    s.SpeedX = std::cos(angle) * speed;
    s.SpeedY = std::sin(angle) * speed;
    s.AccelX = 0.003;
    s.AccelY = -0.03;
    s.SetColor(RGB(255, 255, 0));
    for (int age = static_cast<int>(Rnd() * 40); age > 0; --age)
      s.step();
  }
  sky.Cls();
  return sparkles;
}

// A loaded show with its timers stopped whose list holds the sparkles, each a firework of its own.
inline std::unique_ptr<frmMain> ShowWith(Platform& platform,
                                         const std::vector<clsFlimmer>& sparkles) {
  auto show = std::make_unique<frmMain>(platform);
  show->Load();
  show->Timer1().SetEnabled(false);
  show->Timer2().SetEnabled(false);
  for (const clsFlimmer& s : sparkles)
    show->Append(s);
  return show;
}

}  // namespace starquill
