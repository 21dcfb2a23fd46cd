#include "show/sky_audience.h"

namespace starquill {

void SkyAudience::Launch(double x, double y) {
  for (SkyEvents* listener : listeners_)
    listener->Launch(x, y);
}

void SkyAudience::Burst(double x, double y, int32_t color, int32_t sparkles) {
  for (SkyEvents* listener : listeners_)
    listener->Burst(x, y, color, sparkles);
}

void SkyAudience::Trail(double x, double y, int32_t live) {
  for (SkyEvents* listener : listeners_)
    listener->Trail(x, y, live);
}

}  // namespace starquill
