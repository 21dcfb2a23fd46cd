#pragma once
// Where a sound is in the sky, as the mixer applies it: an equal-power pan from the horizontal
// position (0 left, 1 right) and, from the height (0 ground, 1 top of the sky), a gain a little
// below one and a one-pole low-pass whose cut-off falls, so that high bursts sound farther off.
// Out-of-range or NaN positions are taken as the nearest edge (NaN as the middle, the ground).

namespace starquill {

struct Placement {
  float left = 0;  // channel gains, the height's gain included
  float right = 0;
  float lowPass = 1;  // one-pole coefficient: y += lowPass * (x - y)
  float gain = 1;     // the height's gain alone

  static Placement At(float pan, float height);
};

}  // namespace starquill
