#include "platform/drawing/region.h"

#include <algorithm>

namespace starquill {

Region Region::Rectangle(int left, int top, int right, int bottom) {
  // Far beyond any control; keeps a wild rectangle from asking for gigabytes.
  constexpr int kLimit = 4096;
  left = std::clamp(left, -kLimit, kLimit);
  top = std::clamp(top, -kLimit, kLimit);
  right = std::clamp(right, -kLimit, kLimit);
  bottom = std::clamp(bottom, -kLimit, kLimit);
  Region r;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (left == right || top == bottom) return r;
  r.bounds_ = {left, top, right, bottom};
  r.inside_.assign(static_cast<size_t>(right - left) * static_cast<size_t>(bottom - top), 1);
  return r;
}

bool Region::Contains(int x, int y) const {
  if (x < bounds_.left || x >= bounds_.right || y < bounds_.top || y >= bounds_.bottom) {
    return false;
  }
  const size_t width = static_cast<size_t>(bounds_.right - bounds_.left);
  return inside_[static_cast<size_t>(y - bounds_.top) * width +
                 static_cast<size_t>(x - bounds_.left)] != 0;
}

bool Region::Empty() const {
  return inside_.empty();
}

Region::Bounds Region::Box() const {
  return bounds_;
}

void Region::Grow(const Bounds& to) {
  Bounds grown = bounds_;
  if (inside_.empty()) {
    grown = to;
  } else {
    grown.left = std::min(grown.left, to.left);
    grown.top = std::min(grown.top, to.top);
    grown.right = std::max(grown.right, to.right);
    grown.bottom = std::max(grown.bottom, to.bottom);
  }
  if (grown == bounds_ && !inside_.empty()) return;
  const size_t width = static_cast<size_t>(grown.right - grown.left);
  std::vector<uint8_t> inside(width * static_cast<size_t>(grown.bottom - grown.top), 0);
  for (int y = bounds_.top; y < bounds_.bottom && !inside_.empty(); ++y) {
    for (int x = bounds_.left; x < bounds_.right; ++x) {
      inside[static_cast<size_t>(y - grown.top) * width + static_cast<size_t>(x - grown.left)] =
          Contains(x, y) ? 1 : 0;
    }
  }
  bounds_ = grown;
  inside_ = std::move(inside);
}

// Shrinks the bounds to the pixels inside; an empty region keeps no storage.
void Region::Trim() {
  Bounds tight{bounds_.right, bounds_.bottom, bounds_.left, bounds_.top};
  for (int y = bounds_.top; y < bounds_.bottom; ++y) {
    for (int x = bounds_.left; x < bounds_.right; ++x) {
      if (!Contains(x, y)) continue;
      tight.left = std::min(tight.left, x);
      tight.top = std::min(tight.top, y);
      tight.right = std::max(tight.right, x + 1);
      tight.bottom = std::max(tight.bottom, y + 1);
    }
  }
  if (tight.left >= tight.right) {
    *this = Region();
    return;
  }
  if (tight == bounds_) return;
  Region trimmed;
  trimmed.bounds_ = tight;
  const size_t width = static_cast<size_t>(tight.right - tight.left);
  trimmed.inside_.assign(width * static_cast<size_t>(tight.bottom - tight.top), 0);
  for (int y = tight.top; y < tight.bottom; ++y) {
    for (int x = tight.left; x < tight.right; ++x) {
      trimmed.inside_[static_cast<size_t>(y - tight.top) * width +
                      static_cast<size_t>(x - tight.left)] = Contains(x, y) ? 1 : 0;
    }
  }
  *this = std::move(trimmed);
}

template <typename Op>
void Region::Combine(const Region& other, Op op) {
  if (!other.Empty()) Grow(other.bounds_);
  if (inside_.empty()) return;
  const size_t width = static_cast<size_t>(bounds_.right - bounds_.left);
  for (int y = bounds_.top; y < bounds_.bottom; ++y) {
    for (int x = bounds_.left; x < bounds_.right; ++x) {
      uint8_t& cell = inside_[static_cast<size_t>(y - bounds_.top) * width +
                              static_cast<size_t>(x - bounds_.left)];
      cell = op(cell != 0, other.Contains(x, y)) ? 1 : 0;
    }
  }
  Trim();
}

void Region::Xor(const Region& other) {
  Combine(other, [](bool a, bool b) { return a != b; });
}
void Region::Union(const Region& other) {
  Combine(other, [](bool a, bool b) { return a || b; });
}
void Region::Intersect(const Region& other) {
  Combine(other, [](bool a, bool b) { return a && b; });
}
void Region::Subtract(const Region& other) {
  Combine(other, [](bool a, bool b) { return a && !b; });
}

bool operator==(const Region& a, const Region& b) {
  return a.bounds_ == b.bounds_ && a.inside_ == b.inside_;
}

}  // namespace starquill
