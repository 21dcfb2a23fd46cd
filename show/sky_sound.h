#pragma once
// The show's sound as a listener to the sky: each event goes on to the ShowSound with its place
// as shares of the sky (x over the sky's width, y over its height of 200). The width is read from
// the sky at each event, since a resized window changes it.

#include <cstdint>

#include "engine/sky_events.h"
#include "platform/drawing/surface.h"
#include "show/show_sound.h"

namespace starquill {

class SkySound : public SkyEvents {
 public:
  // The sky must outlive the listener.
  explicit SkySound(const Surface& sky) : sky_(sky) {}
  // The sound told from now on; none: nothing is told. It must outlive the listener.
  void SetSound(ShowSound* sound) { sound_ = sound; }

  void Launch(double x, double y) override;
  void Burst(double x, double y, int32_t color, int32_t sparkles) override;
  void Trail(double x, double y, int32_t live) override;

 private:
  struct Share {
    float x, y;
  };
  Share ShareOfTheSky(double x, double y) const;

  const Surface& sky_;
  ShowSound* sound_ = nullptr;
};

}  // namespace starquill
