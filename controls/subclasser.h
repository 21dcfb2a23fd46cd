#pragma once
// Window hooks: routes chosen messages of a window to an owner's handler before or after the
// window's previous procedure. A hook is a record put in front of its window's procedure
// chain: it owns the procedure it replaced and holds a table of messages for each phase (up to
// MSG_ENTRIES, or every message), a nesting depth and a shutdown flag. Unhooking is deferred
// until the window next finishes a message at depth 0, so that a procedure is never taken away
// while it runs; the chain then lets the record go. Misuse is reported to the host's event log
// and in a message box, and the operation then fails quietly.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/hosting/control_host.h"
#include "platform/hosting/control_window.h"
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

// What hooks need of the windows they hook: finding them by handle, and putting a procedure in
// front of one. Failures come with the system's error number for the report.
class HookEnvironment {
 public:
  virtual ~HookEnvironment() = default;
  // The window with this handle while it exists, or nullptr.
  virtual ControlWindow* Find(HWND window) const = 0;
  // A window of another process cannot be hooked from here.
  virtual bool BelongsToAnotherProcess(const ControlWindow& window) const = 0;
  // 0 when a hook record can be had, or the error that keeps it.
  virtual uint32_t RecordError() = 0;
  // Puts the procedure in front of the window's chain: 0, or the error that kept it out (a
  // window destroyed meanwhile refuses it).
  virtual uint32_t Install(ControlWindow& window, std::shared_ptr<WindowProcedure> procedure) = 0;
};

// The environment of a control's own windows: every one belongs to this process, records are
// always at hand, and only a window that has gone meanwhile refuses a procedure.
class ControlWindowHooks : public HookEnvironment {
 public:
  static constexpr uint32_t kInvalidWindowHandle = 1400;

  explicit ControlWindowHooks(std::initializer_list<ControlWindow*> windows) : windows_(windows) {}
  ControlWindow* Find(HWND window) const override;
  bool BelongsToAnotherProcess(const ControlWindow&) const override { return false; }
  uint32_t RecordError() override { return 0; }
  uint32_t Install(ControlWindow& window, std::shared_ptr<WindowProcedure> procedure) override;

 private:
  std::vector<ControlWindow*> windows_;
};

class Subclasser {
 public:
  static constexpr int32_t ALL_MESSAGES = -1;
  static constexpr int MSG_ENTRIES = 32;
  static constexpr int32_t kPhaseBefore = 1;
  static constexpr int32_t kPhaseAfter = 2;

  // `self` is the owner hooks serve when none is named; `className` names the routines in
  // reports ("CandyButton.sc_Subclass"), which go to `host`.
  Subclasser(MessageHandlerOwner& self, std::string className, ControlHost& host,
             HookEnvironment& windows);
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

  // The keys of the hook table in order ("h1234").
  std::vector<std::string> HookTableKeys() const;

 private:
  class Record;
  struct MsgTable;
  using Entry = std::pair<std::string, std::weak_ptr<Record>>;

  std::shared_ptr<Record> FindKey(HWND window, bool& found) const;
  void RemoveKey(HWND window);
  std::shared_ptr<Record> MappedRecord(HWND window) const;
  void zReport(const std::string& routine, const std::string& message) const;
  void zAddMsg(int32_t message, MsgTable& table) const;
  void zDelMsg(int32_t message, MsgTable& table) const;

  MessageHandlerOwner& self_;
  std::string className_;
  ControlHost& host_;
  HookEnvironment& windows_;
  // Keys "h" + handle and their records, in insertion order; absent until the first hook.
  std::optional<std::vector<Entry>> table_;
};

}  // namespace starquill
