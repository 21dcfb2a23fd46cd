#pragma once
// Rockets walk "their first n entries" of what they spawned, n being a public count that a
// caller could change after the burst; the walk never reaches past what really exists.

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace starquill {

template <typename T>
std::span<T> Prefix(std::vector<T>& items, int32_t count) {
  const size_t n = count > 0 ? std::min(static_cast<size_t>(count), items.size()) : 0;
  return std::span<T>(items).first(n);
}

template <typename T>
std::span<const T> Prefix(const std::vector<T>& items, int32_t count) {
  const size_t n = count > 0 ? std::min(static_cast<size_t>(count), items.size()) : 0;
  return std::span<const T>(items).first(n);
}

}  // namespace starquill
