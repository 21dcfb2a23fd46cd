#pragma once
// Counts the event processing nested inside the handling of an event (a window waiting until
// it is on screen). Tasks posted to run after the current event wait until it is over.

namespace starquill {

inline int& NestedEventDepth() {
  static int depth = 0;
  return depth;
}

class NestedEvents {
 public:
  NestedEvents() { ++NestedEventDepth(); }
  ~NestedEvents() { --NestedEventDepth(); }
  NestedEvents(const NestedEvents&) = delete;
  NestedEvents& operator=(const NestedEvents&) = delete;
};

}  // namespace starquill
