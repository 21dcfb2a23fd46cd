#pragma once
// The light bursts throw on the whole sky: each burst lights it in its colour at once, as
// brightly as its shower is large, and the light fades within about half a second. However
// many bursts come together, the light stays below both flash thresholds of WCAG 2.3.1 (a
// change of a tenth of the screen's relative luminance, and its saturated red measure), so the
// sky never flashes, let alone three times a second.

#include <cstdint>
#include <vector>

#include "engine/sky_events.h"
#include "platform/drawing/color.h"
#include "platform/toolkit/timer.h"

namespace starquill {

class SkyLight : public SkyEvents {
 public:
  // Bursts heard from the sky happen at this clock's time.
  explicit SkyLight(const TimerService& clock) : clock_(clock) {}

  // The largest relative luminance the light reaches, and the largest saturated red measure
  // ((R - G - B) x 320 in linear light): both below WCAG's thresholds of 0.1 and 20.
  static constexpr double kMostLuminance = 0.08;
  static constexpr double kMostRed = 16;

  // A shower of `sparkles` sparkles of this colour (0x00BBGGRR) burst at this moment (ms).
  void Burst(double atMs, Color color, int32_t sparkles);
  // Heard from the sky: only bursts light it.
  void Launch(double, double) override {}
  void Burst(double, double, int32_t color, int32_t sparkles) override {
    Burst(clock_.NowMs(), color, sparkles);
  }
  void Trail(double, double, int32_t) override {}
  // The light on the sky at this moment, no earlier than the last burst; what has faded is
  // forgotten.
  Color At(double ms);

 private:
  struct Flash {
    double at;
    float r, g, b;  // its light at once, in sRGB channel units
  };
  const TimerService& clock_;
  std::vector<Flash> flashes_;
};

// Relative luminance (0 to 1) of a colour, as WCAG defines it for sRGB.
double RelativeLuminance(Color color);
// WCAG's saturated red measure of a colour's light: (R - G - B) x 320 in linear light, 0 when
// the colour is not a saturated red (red less than 80 % of the three).
double SaturatedRedMeasure(Color color);

}  // namespace starquill
