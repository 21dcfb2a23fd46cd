#pragma once
// The sparkle: one coloured point that drifts under its own acceleration with drag and a
// little random jitter, flares up brighter than its colour while new, then fades by a factor
// 1.1 per tick. It is done once it is on the ground or has faded to black, and never moves
// again after that. Every shower of the show is made of sparkles, so step and Draw are small,
// inline and allocation-free, and a shower is stepped and drawn as a whole (StepAll, DrawAll):
// the generator's state stays in registers and the surface's mapping is read once.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "engine/in_between.h"
#include "platform/drawing/color.h"
#include "platform/drawing/surface.h"
#include "platform/support/fatal.h"
#include "platform/support/numbers.h"
#include "platform/support/random.h"

namespace starquill {

class clsFlimmer {
 public:
  double PosX = 0;
  double PosY = 0;  // 0 is the ground
  double SpeedX = 0;
  double SpeedY = 0;  // positive is upwards
  double AccelX = 0;
  double AccelY = 0;  // negative for gravity

  void step() { StepAll({this, 1}); }
  void Draw(Surface& Canvas) { DrawAll({this, 1}, Canvas); }
  int32_t Color() const { return m_Color; }
  // Stores a copy of the colour with each channel moved by a random step of -64..+64.
  void SetColor(int32_t vNewValue);
  bool Finished() const { return PosY <= 0; }
  // In the air and not faded to black: drawing grounds a sparkle that has faded out, so these
  // are the sparkles still in the air once the tick's step and drawing are done.
  bool Alight() const { return PosY > 0 && FadedColor() != 0; }

  // step, or Draw, for each sparkle in turn: the same states, pixels and draws.
  static void StepAll(std::span<clsFlimmer> sparkles);
  static void DrawAll(std::span<clsFlimmer> sparkles, Surface& Canvas);
  // Draws each sparkle at a moment between this tick and the next, changing nothing: one in
  // the air moved on by that fraction of its speed (where the next tick puts it, at the
  // fraction 1) and faded as far as it is at that moment's age. At the tick's own moment it
  // draws what Draw drew; later, a sparkle that has faded to black is left out.
  static void DrawAllBetween(std::span<const clsFlimmer> sparkles, Surface& Canvas,
                             const InBetween& at);
  void DrawBetween(Surface& Canvas, const InBetween& at) const {
    DrawAllBetween({this, 1}, Canvas, at);
  }

 protected:
  // The stored colour and the age, open to a derived class that restores a sparkle's state.
  int32_t m_Color = 0;
  int32_t m_Age = 0;  // ticks on which the sparkle has moved

 private:
  void Move(RandomStream& random);
  void Paint(Surface::Points& points);
  // The colour after the fade: each channel / 1.1 ^ (age - 20), rounded and capped at 255;
  // 0 exactly when every channel has faded to 0.
  int32_t FadedColor() const;
  // On the ground at +0.0, at an age whose fade never fails: Draw changes nothing but the
  // pixel at height 0.
  bool PaintsOnlyTheGround() const {
    return std::bit_cast<uint64_t>(PosY) == 0 && static_cast<uint32_t>(m_Age) < kFade.size();
  }

  // Each channel's value after the fade, capped at 255, for the ages a sparkle really reaches
  // (it is black by age 86).
  using FadeRow = std::array<uint8_t, 256>;
  static const std::array<FadeRow, 128> kFade;
};

inline void clsFlimmer::Move(RandomStream& random) {
  if (PosY > 0) {
    PosX = PosX + SpeedX;
    if (m_Age == std::numeric_limits<int32_t>::max()) FatalError("Overflow: sparkle age");
    m_Age = m_Age + 1;
    PosY = PosY + SpeedY;
    SpeedX = (SpeedX + AccelX + random.Rnd() * 0.09 - 0.045) * 0.9;
    SpeedY = (SpeedY + AccelY + random.Rnd() * 0.09 - 0.045) * 0.9;
  } else if ((std::bit_cast<uint64_t>(PosY) | std::bit_cast<uint64_t>(SpeedX) |
              std::bit_cast<uint64_t>(SpeedY)) != 0) {
    // Down: parked. Once parked, nothing is stored again, so resting sparkles cost no writes.
    PosY = 0;
    SpeedX = 0;
    SpeedY = 0;
  }
}

inline int32_t clsFlimmer::FadedColor() const {
  if (static_cast<uint32_t>(m_Age) < kFade.size()) [[likely]] {
    const FadeRow& fade = kFade[static_cast<uint32_t>(m_Age)];
    return fade[RedOf(m_Color)] | fade[GreenOf(m_Color)] << 8 | fade[BlueOf(m_Color)] << 16;
  }
  // Past the table, computed; absurd ages overflow here as a fatal error.
  const double f = std::pow(1.1, static_cast<double>(m_Age) - 20);
  const int32_t R = RoundToInt32(RedOf(m_Color) / f);
  const int32_t G = RoundToInt32(GreenOf(m_Color) / f);
  const int32_t B = RoundToInt32(BlueOf(m_Color) / f);
  return RGB(R, G, B);  // the channels are never negative: black exactly when all are 0
}

inline void clsFlimmer::Paint(Surface::Points& points) {
  const int32_t color = FadedColor();
  // Faded to black: this makes the sparkle finished. The point is still painted, in black.
  if (color == 0) PosY = 0;
  points.PSet(static_cast<float>(PosX), static_cast<float>(PosY), color);
}

inline void clsFlimmer::StepAll(std::span<clsFlimmer> sparkles) {
  RandomStream random;
  for (clsFlimmer& s : sparkles)
    s.Move(random);
}

inline void clsFlimmer::DrawAllBetween(std::span<const clsFlimmer> sparkles, Surface& Canvas,
                                       const InBetween& at) {
  Surface::Points points(Canvas);
  const bool groundShows = points.ShowsHeight(0);
  const double f = at.Fraction();
  for (const clsFlimmer& s : sparkles) {
    if (!groundShows && s.PaintsOnlyTheGround()) continue;
    if (s.PosY <= 0 || at.AtTheTick()) {
      // Where it is: it moves no more (or this is the tick's own moment).
      points.PSet(static_cast<float>(s.PosX), static_cast<float>(s.PosY), s.FadedColor());
      continue;
    }
    const int32_t color = at.Faded(s.m_Color, s.m_Age);
    if (color == 0) continue;
    points.PSet(static_cast<float>(s.PosX + f * s.SpeedX),
                static_cast<float>(s.PosY + f * s.SpeedY), color);
  }
}

inline void clsFlimmer::DrawAll(std::span<clsFlimmer> sparkles, Surface& Canvas) {
  Surface::Points points(Canvas);
  // On the sky the ground lies just below the bottom edge: grounded sparkles are not drawn.
  const bool groundShows = points.ShowsHeight(0);
  for (clsFlimmer& s : sparkles) {
    if (groundShows || !s.PaintsOnlyTheGround()) s.Paint(points);
  }
}

}  // namespace starquill
