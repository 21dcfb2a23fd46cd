#pragma once
// A moment between two ticks, as the fraction of a tick that has passed since the first (0 at
// the tick, up to 1 at the next): frames drawn at the display's rate show the fireworks where
// they are headed at that moment. A sparkle's fade at that moment's age is worked out once per
// moment and age, as the tick's own fade is.

#include <array>
#include <bitset>
#include <cstdint>

namespace starquill {

class InBetween {
 public:
  explicit InBetween(double fraction = 0) { SetFraction(fraction); }

  // Held within 0 to 1.
  void SetFraction(double fraction);
  double Fraction() const { return fraction_; }
  bool AtTheTick() const { return fraction_ == 0; }

  // A sparkle's colour at this moment, for its stored colour and the age it has at the tick:
  // each channel / 1.1 ^ (age + fraction - 20), rounded and capped at 255.
  int32_t Faded(int32_t color, int32_t age) const {
    if (static_cast<uint32_t>(age) >= kAges) [[unlikely]]
      return FadedPastTheTable(color, age);
    const FadeRow& row = Row(static_cast<size_t>(age));
    return row[static_cast<size_t>(color & 0xFF)] |
           row[static_cast<size_t>((color >> 8) & 0xFF)] << 8 |
           row[static_cast<size_t>((color >> 16) & 0xFF)] << 16;
  }

 private:
  using FadeRow = std::array<uint8_t, 256>;
  static constexpr size_t kAges = 128;  // a sparkle is black long before this age

  const std::array<uint8_t, 256>& Row(size_t age) const {
    if (!built_[age]) [[unlikely]]
      BuildRow(age);
    return rows_[age];
  }
  void BuildRow(size_t age) const;
  int32_t FadedPastTheTable(int32_t color, int32_t age) const;

  double fraction_ = 0;
  mutable std::array<FadeRow, kAges> rows_;
  mutable std::bitset<kAges> built_;
};

}  // namespace starquill
