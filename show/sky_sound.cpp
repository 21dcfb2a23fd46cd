#include "show/sky_sound.h"

namespace starquill {
namespace {

constexpr double kSkyHeight = 200;

}  // namespace

SkySound::Share SkySound::ShareOfTheSky(double x, double y) const {
  const double width = sky_.ScaleWidth();
  // A sky without width has no places across it: everything sounds from its middle.
  const float across = width > 0 ? static_cast<float>(x / width) : 0.5f;
  return {across, static_cast<float>(y / kSkyHeight)};
}

void SkySound::Launch(double x, double y) {
  if (!sound_) return;
  const Share at = ShareOfTheSky(x, y);
  sound_->Launch(at.x, at.y);
}

void SkySound::Burst(double x, double y, int32_t /*color*/, int32_t sparkles) {
  if (!sound_) return;
  const Share at = ShareOfTheSky(x, y);
  sound_->Burst(at.x, at.y, sparkles);
}

void SkySound::Trail(double x, double y, int32_t live) {
  if (!sound_) return;
  const Share at = ShareOfTheSky(x, y);
  sound_->Crackle(at.x, at.y, live);
}

}  // namespace starquill
