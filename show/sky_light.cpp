#include "show/sky_light.h"

#include <algorithm>
#include <cmath>

namespace starquill {
namespace {

constexpr double kFadeMs = 110;       // the light falls to 1/e in this time
constexpr double kForgottenMs = 700;  // by then it is well below one channel step
constexpr float kStrength = 0.2f;     // a full shower lights the sky with a fifth of its colour
constexpr float kFullShower = 700;

double Linear(double channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Encoded(double linear) {
  const double c = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return std::clamp(c, 0.0, 1.0) * 255.0;
}

}  // namespace

double RelativeLuminance(Color color) {
  return 0.2126 * Linear(RedOf(color)) + 0.7152 * Linear(GreenOf(color)) +
         0.0722 * Linear(BlueOf(color));
}

double SaturatedRedMeasure(Color color) {
  const int sum = RedOf(color) + GreenOf(color) + BlueOf(color);
  if (sum == 0 || RedOf(color) < 0.8 * sum) return 0;
  return std::max(0.0,
                  (Linear(RedOf(color)) - Linear(GreenOf(color)) - Linear(BlueOf(color))) * 320);
}

void SkyLight::Burst(double atMs, Color color, int32_t sparkles) {
  if (sparkles <= 0) return;
  const float size = std::min(static_cast<float>(sparkles) / kFullShower, 1.0f) * kStrength;
  flashes_.push_back({atMs, RedOf(color) * size, GreenOf(color) * size, BlueOf(color) * size});
}

Color SkyLight::At(double ms) {
  std::erase_if(flashes_, [ms](const Flash& f) { return ms - f.at > kForgottenMs; });
  double r = 0, g = 0, b = 0;
  for (const Flash& f : flashes_) {
    const double fade = std::exp(-std::max(ms - f.at, 0.0) / kFadeMs);
    r += f.r * fade;
    g += f.g * fade;
    b += f.b * fade;
  }
  const auto round = [](double v) { return static_cast<int>(std::lround(std::min(v, 255.0))); };
  Color light = RGB(round(r), round(g), round(b));
  // Many bursts at once: the light is dimmed, in linear light, to stay below both thresholds.
  const double luminance = RelativeLuminance(light), red = SaturatedRedMeasure(light);
  double dim = 1;
  if (luminance > kMostLuminance) dim = kMostLuminance / luminance;
  if (red > kMostRed) dim = std::min(dim, kMostRed / red);
  if (dim < 1) {
    light = RGB(static_cast<int>(Encoded(Linear(RedOf(light)) * dim)),
                static_cast<int>(Encoded(Linear(GreenOf(light)) * dim)),
                static_cast<int>(Encoded(Linear(BlueOf(light)) * dim)));
  }
  return light;
}

}  // namespace starquill
