#pragma once
// Window hooks: routes chosen messages of a window to an owner's handler before or after the
// window's previous procedure. Each hooked window has a record with a table of messages for
// each phase (up to MSG_ENTRIES, or every message), the window's previous procedure, a nesting
// depth and a shutdown flag; unhooking is deferred until the window next finishes a message at
// depth 0, so that a procedure is never taken away while it runs. Misuse is reported in the
// event log and a message box, and the operation then fails quietly.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/hosting/window_messages.h"

namespace starquill {

// A handler a hook calls: in the before phase it may set handled, which suppresses the previous
// procedure and the after phase; result is what the window returns.
using MessageHandler =
    std::function<void(bool before, bool& handled, int32_t& result, HWND window, UINT message,
                       WPARAM wParam, LPARAM lParam, int32_t& userValue)>;

// An object that declares message handlers, in order; the hook's ordinal counts back from the
// last (1 = the last one declared).
class MessageHandlerOwner {
 public:
  virtual ~MessageHandlerOwner() = default;
  virtual std::vector<MessageHandler> MessageHandlers() = 0;
};

class Subclasser {
 public:
  static constexpr int32_t ALL_MESSAGES = -1;
  static constexpr int MSG_ENTRIES = 32;
  static constexpr int32_t kPhaseBefore = 1;
  static constexpr int32_t kPhaseAfter = 2;

  // `self` is the owner hooks serve when none is named; `className` names the routines in
  // reports ("CandyButton.sc_Subclass").
  Subclasser(MessageHandlerOwner& self, std::string className);
  ~Subclasser();  // stops every hook
  Subclasser(const Subclasser&) = delete;
  Subclasser& operator=(const Subclasser&) = delete;

  bool sc_Subclass(HWND window, int32_t userValue = 0, int32_t ordinal = 1,
                   MessageHandlerOwner* owner = nullptr);
  void sc_UnSubclass(HWND window);
  void sc_StopAll();
  // phase: 1 before, 2 after, 3 both.
  void sc_HookMsg(HWND window, int32_t message, int32_t phase);
  void sc_UnhookMsg(HWND window, int32_t message, int32_t phase);
  LRESULT sc_CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  int32_t sc_UserValue(HWND window);
  void sc_UserValue(HWND window, int32_t value);

  // For tests: keys of the hook table in order ("h1234"), the live records, a table's count and
  // entries (nothing when the window has no usable record), a record's nesting depth.
  std::vector<std::string> HookTableKeys() const;
  static int LiveRecordCount();
  struct Table {
    int32_t count = 0;
    std::vector<int32_t> entries;  // entries 1..count (freed ones are 0)
  };
  std::optional<Table> MessageTable(HWND window, int32_t phase) const;
  // The next record allocation fails with this error number (0: allocations succeed).
  static void FailNextAllocation(uint32_t error);

 private:
  struct HookRecord;
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace starquill
