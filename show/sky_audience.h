#pragma once
// The show's listeners to the sky, as one: every event goes on to each listener in the order
// they were added.

#include <cstdint>
#include <vector>

#include "engine/sky_events.h"

namespace starquill {

class SkyAudience : public SkyEvents {
 public:
  // The listener must outlive the audience; none is ignored.
  void Add(SkyEvents* listener) {
    if (listener) listeners_.push_back(listener);
  }
  bool Empty() const { return listeners_.empty(); }

  void Launch(double x, double y) override;
  void Burst(double x, double y, int32_t color, int32_t sparkles) override;
  void Trail(double x, double y, int32_t live) override;

 private:
  std::vector<SkyEvents*> listeners_;
};

}  // namespace starquill
