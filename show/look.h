#pragma once
// How the sky is shown. Plain: one frame a tick, each firework's points as they are. Smooth:
// frames at the screen's rate, drawn between the ticks where the fireworks are headed. Glow:
// lit points bleed a soft halo and bursts light the whole sky. Neither changes what happens in
// the sky: every tick steps and draws as in the plain look.

namespace starquill {

struct Look {
  bool smooth = false;
  bool glow = false;

  bool Plain() const { return !smooth && !glow; }
  static constexpr Look Vivid() { return {true, true}; }
  friend bool operator==(const Look&, const Look&) = default;
};

}  // namespace starquill
