#pragma once
// A set of pixels, as window regions are: built from rectangles that exclude their right
// column and bottom row, combined by set operations.

#include <cstdint>
#include <vector>

namespace starquill {

class Region {
 public:
  // The empty region.
  Region() = default;
  // The rectangle's pixels left <= x < right, top <= y < bottom; the corners may come in any
  // order, and a rectangle without width or height is empty. Coordinates are held within
  // -4096..4096.
  static Region Rectangle(int left, int top, int right, int bottom);

  bool Contains(int x, int y) const;
  bool Empty() const;
  // Pixels in this region or in the other, but not in both.
  void Xor(const Region& other);
  void Union(const Region& other);
  void Intersect(const Region& other);
  void Subtract(const Region& other);

  // The smallest rectangle holding every pixel (all zero when empty): left, top, right, bottom.
  struct Bounds {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
  };
  Bounds Box() const;

  friend bool operator==(const Region& a, const Region& b);

 private:
  template <typename Op>
  void Combine(const Region& other, Op op);
  void Grow(const Bounds& to);
  void Trim();

  Bounds bounds_;
  std::vector<uint8_t> inside_;  // one per pixel of bounds_, row by row
};

}  // namespace starquill
