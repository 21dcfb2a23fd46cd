#pragma once
// Number conversions shared by every part of the program:
// - a floating-point value stored into an integer is rounded to the nearest integer, an exact
//   half going to the even neighbour;
// - Int(v) is the floor of v;
// - integer division first rounds both operands that way, then truncates toward zero.
// Results that do not fit their integer type are fatal run-time errors.

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/support/fatal.h"

namespace starquill {

// Nearest integer as a double, halves to even. Exact for every double.
inline double RoundHalfEven(double v) {
  // Below 2^51 in magnitude, adding and removing 1.5 * 2^52 rounds by the FPU's default
  // round-to-nearest-even mode, much faster than a library call; the rest (huge values,
  // infinities, NaN) goes through nearbyint, which uses the same mode.
  constexpr double kMagic = 6755399441055744.0;
  if (std::fabs(v) < 2251799813685248.0) return std::copysign((v + kMagic) - kMagic, v);
  return std::nearbyint(v);
}

// Rounds into a signed integer of type T, or nothing when the value (or NaN) does not fit.
template <typename T>
std::optional<T> TryRoundTo(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
        r <= static_cast<double>(std::numeric_limits<T>::max()))) {
    return std::nullopt;
  }
  return static_cast<T>(r);
}

// Rounds into a 32-bit integer; out of range is a fatal overflow.
inline int32_t RoundToInt32(double v) {
  if (auto r = TryRoundTo<int32_t>(v)) return *r;
  FatalError("Overflow: a value does not fit into a 32-bit integer");
}

// Rounds into a 16-bit integer; out of range is a fatal overflow.
inline int16_t RoundToInt16(double v) {
  if (auto r = TryRoundTo<int16_t>(v)) return *r;
  FatalError("Overflow: a value does not fit into a 16-bit integer");
}

// The floor of v.
inline double Int(double v) {
  return std::floor(v);
}

// Integer division of the rounded operands, truncated toward zero; nothing on a zero divisor
// or an overflow.
inline std::optional<int32_t> TryIntDiv(double a, double b) {
  const auto ia = TryRoundTo<int32_t>(a);
  const auto ib = TryRoundTo<int32_t>(b);
  if (!ia || !ib || *ib == 0) return std::nullopt;
  if (*ia == std::numeric_limits<int32_t>::min() && *ib == -1) return std::nullopt;
  return *ia / *ib;
}

inline int32_t IntDiv(double a, double b) {
  if (auto q = TryIntDiv(a, b)) return *q;
  FatalError("Division by zero or overflow in an integer division");
}

// 32-bit addition that stops the program on overflow, naming what overflowed.
inline int32_t CheckedAdd(int32_t a, int32_t b, std::string_view what = "a 32-bit counter") {
  int32_t sum;
  if (__builtin_add_overflow(a, b, &sum)) {
    FatalError("Overflow: " + std::string(what) + " passed " + std::to_string(INT32_MAX));
  }
  return sum;
}

}  // namespace starquill
