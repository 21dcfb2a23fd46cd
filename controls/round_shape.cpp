#include "controls/round_shape.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/support/numbers.h"

namespace starquill {

bool IsInsideCorner(int32_t DX, int32_t Y, int32_t R) {
  const int32_t T = RoundToInt32(static_cast<double>(R) * R - static_cast<double>(DX) * DX);
  if (T < 0) return false;
  const int32_t S = RoundToInt32(std::sqrt(static_cast<double>(T)));
  return std::abs(static_cast<int64_t>(Y) - R) < S;
}

bool IsInsideRoundRect(int32_t X, int32_t Y, int32_t X0, int32_t Y0, int32_t Wd, int32_t Ht,
                       int32_t R) {
  // In 64 bits: no sum of these can overflow.
  const int64_t u = static_cast<int64_t>(X) - X0;
  const int64_t v = static_cast<int64_t>(Y) - Y0;
  const int64_t w = Wd, h = Ht, r = R;
  const auto corner = [](int64_t dx, int64_t y, int64_t radius) {
    if (dx < INT32_MIN || dx > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return false;
    return IsInsideCorner(static_cast<int32_t>(dx), static_cast<int32_t>(y),
                          static_cast<int32_t>(radius));
  };
  if (r < u && u < w - r && r < v && v < h - r) return true;
  if (u < r && v <= r) return corner(u - r, v, r);
  if (u + r > w && v <= r) return corner(u - w + r, v, r);
  if (u < r && v + r >= h) return corner(u - r, v - h + 2 * r, r);
  if (u + r > w && v + r >= h) return corner(u - w + r, v - h + 2 * r, r);
  return 0 < u && u < w && 0 < v && v < h;
}

}  // namespace starquill
