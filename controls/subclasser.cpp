#include "controls/subclasser.h"

#include <array>
#include <cstdio>
#include <map>

#include "platform/hosting/control_window.h"
#include "platform/toolkit/event_log.h"
#include "platform/toolkit/message_box.h"

namespace starquill {

// One hooked window. Records live in a process-wide registry under their "address", apart from
// the Subclasser that made them: a record that is shutting down outlives its Subclasser until
// its window finishes a message at depth 0 or is destroyed. The registered procedure holds only
// the address and looks the record up on every message, so a released record is never reached
// through it; a call in progress keeps its record alive through a shared_ptr.
struct Subclasser::HookRecord {
  struct MsgTable {
    int32_t count = 0;  // 0 empty, ALL_MESSAGES, or 1..MSG_ENTRIES
    std::array<int32_t, MSG_ENTRIES> entries{};
  };

  int32_t address = 0;
  int32_t depth = 0;  // calls of the previous procedure in progress
  bool shutdown = false;
  bool released = false;
  HWND window = 0;
  MessageHandler handler;
  WNDPROC entry = 0;     // the record's own procedure, 0 until registered
  WNDPROC previous = 0;  // the procedure the window had before
  MsgTable before;
  MsgTable after;
  int32_t userValue = 0;
};

class Subclasser::Impl {
 public:
  using Record = HookRecord;
  using RecordPtr = std::shared_ptr<Record>;

  Impl(MessageHandlerOwner& self, std::string className)
      : self_(self), className_(std::move(className)) {}

  MessageHandlerOwner& self_;
  std::string className_;
  // Keys "h" + handle and record addresses, in insertion order; absent until the first hook.
  std::optional<std::vector<std::pair<std::string, int32_t>>> table_;

  // --- The process-wide record registry --------------------------------------------------

  // Never destroyed: windows that outlive static destruction still route through it.
  static std::map<int32_t, RecordPtr>& Records() {
    static auto* records = new std::map<int32_t, RecordPtr>;
    return *records;
  }
  static uint32_t& NextAddress() {
    static uint32_t next = 0x00A00000;
    return next;
  }
  static uint32_t& FailNext() {
    static uint32_t error = 0;
    return error;
  }

  // The record at this address while it is live (the "valid code" test), else nullptr.
  static RecordPtr Usable(int32_t address) {
    const auto it = Records().find(address);
    return it == Records().end() ? nullptr : it->second;
  }

  // A new record under a fresh address; nullptr (with the error for GetLastError) when the
  // test hook says this allocation fails.
  static RecordPtr Allocate() {
    if (FailNext() != 0) {
      SetLastError(FailNext());
      FailNext() = 0;
      return nullptr;
    }
    int32_t address = 0;
    do {
      address = static_cast<int32_t>(NextAddress());
      NextAddress() += 0x210;  // one 524-byte block, rounded up
    } while (address == 0 || Records().count(address) != 0);
    auto record = std::make_shared<Record>();
    record->address = address;
    Records()[address] = record;
    return record;
  }

  // Releases a record that never became the window's procedure.
  static void Discard(const RecordPtr& record) {
    record->released = true;
    if (record->entry != 0) UnregisterWindowProc(record->entry);
    Records().erase(record->address);
  }

  // Takes the record out of its window's procedure chain and releases it.
  static void Release(const RecordPtr& record) {
    if (record->released) return;
    record->released = true;
    Unlink(*record);
    UnregisterWindowProc(record->entry);
    Records().erase(record->address);
  }

  // Puts the previous procedure back. When another record was hooked on top of this one (the
  // window was hooked again while this one was shutting down), that record is made to call our
  // previous procedure instead, so that its hook keeps working.
  static void Unlink(const Record& record) {
    ControlWindow* window = ControlWindow::FromHandle(record.window);
    if (window == nullptr) return;  // gone: there is no chain left to mend
    if (window->WindowProcedure() != record.entry) {
      for (auto& [address, other] : Records()) {
        if (other->window == record.window && other->previous == record.entry &&
            other->entry != record.entry) {
          other->previous = record.previous;
          return;
        }
      }
    }
    if (SetWindowLongA(record.window, GWL_WNDPROC, record.previous) == 0) {
      // The previous procedure is gone too: the window's own one is the only sane fallback.
      SetWindowLongA(record.window, GWL_WNDPROC, window->OwnProcedure());
    }
  }

  static bool Wants(const Record::MsgTable& table, UINT message) {
    if (table.count == ALL_MESSAGES) return true;
    for (int32_t i = 0; i < table.count && i < MSG_ENTRIES; ++i) {
      if (table.entries[i] == static_cast<int32_t>(message)) return true;
    }
    return false;
  }

  // A window whose WM_DESTROY has been handled, or which no longer exists, ends its record.
  static bool WindowEnding(const Record& record, UINT message) {
    return message == WM_DESTROY || !IsWindow(record.window);
  }

  // The record's window procedure.
  static LRESULT Route(int32_t address, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const RecordPtr record = Usable(address);
    if (record == nullptr) return 0;
    int32_t result = 0;
    bool handled = false;
    if (record->handler && Wants(record->before, message)) {
      record->handler(true, handled, result, window, message, wParam, lParam, record->userValue);
      if (handled) {
        if (!record->released && record->depth == 0 && WindowEnding(*record, message)) {
          Release(record);
        }
        return result;
      }
    }
    ++record->depth;
    result = CallWindowProcA(record->previous, window, message, wParam, lParam);
    --record->depth;
    if (record->released) return result;
    if (record->depth == 0 && (record->shutdown || !IsWindow(record->window))) {
      Release(record);
      return result;
    }
    if (record->handler && Wants(record->after, message)) {
      handled = false;
      record->handler(false, handled, result, window, message, wParam, lParam, record->userValue);
    }
    if (!record->released && record->depth == 0 && WindowEnding(*record, message)) {
      Release(record);
    }
    return result;
  }

  // --- Per-Subclasser operations ---------------------------------------------------------

  static std::string Key(HWND window) {
    std::string key = "h";
    key += std::to_string(window);
    return key;
  }

  int32_t FindKey(HWND window) const {
    if (!table_) return 0;
    const std::string key = Key(window);
    for (const auto& [k, address] : *table_) {
      if (k == key) return address;
    }
    return 0;
  }

  void RemoveKey(HWND window) {
    if (!table_) return;
    const std::string key = Key(window);
    for (auto it = table_->begin(); it != table_->end(); ++it) {
      if (it->first == key) {
        table_->erase(it);
        return;
      }
    }
  }

  void zReport(const std::string& routine, const std::string& message) const {
    LogErrorEvent(className_ + "." + routine + ": " + message);
    ShowMessageBox(message + ".", BoxIcon::Exclamation, "Error in " + className_ + "." + routine);
  }

  // The address under the window's key, or 0 after a report.
  int32_t zMap_hWnd(HWND window) const {
    if (!table_) {
      zReport("zMap_hWnd", "Subclassing hasn't been started");
      return 0;
    }
    const int32_t address = FindKey(window);
    if (address == 0) zReport("zMap_hWnd", "Window handle isn't subclassed");
    return address;
  }

  void zAddMsg(int32_t message, Record::MsgTable& table) const {
    if (message == ALL_MESSAGES) {
      table.count = ALL_MESSAGES;
      return;
    }
    // A table of every message has no entries to search and becomes one of this message.
    const int32_t n = table.count < 0 ? 0 : table.count;
    if (n >= MSG_ENTRIES) {
      zReport("zAddMsg",
              "Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
              "ALL_MESSAGES instead of specific message values");
      return;
    }
    for (int32_t i = 0; i < n; ++i) {
      if (table.entries[i] == 0) {
        table.entries[i] = message;
        return;
      }
      if (table.entries[i] == message) return;
    }
    table.entries[n] = message;
    table.count = n + 1;
  }

  void zDelMsg(int32_t message, Record::MsgTable& table) const {
    if (message == ALL_MESSAGES) {
      table.count = 0;
      return;
    }
    for (int32_t i = 0; i < table.count && i < MSG_ENTRIES; ++i) {
      if (table.entries[i] == message) {
        table.entries[i] = 0;
        return;
      }
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<uint32_t>(message));
    zReport("zDelMsg", std::string("Message &H") + hex + " not found in table");
  }

  // The window's usable record, after the reports of zMap_hWnd.
  RecordPtr MappedRecord(HWND window) const { return Usable(zMap_hWnd(window)); }
};

Subclasser::Subclasser(MessageHandlerOwner& self, std::string className)
    : impl_(std::make_unique<Impl>(self, std::move(className))) {}

Subclasser::~Subclasser() {
  sc_StopAll();
}

bool Subclasser::sc_Subclass(HWND window, int32_t userValue, int32_t ordinal,
                             MessageHandlerOwner* owner) {
  Impl& d = *impl_;
  if (!IsWindow(window)) {
    d.zReport("sc_Subclass", "Invalid window handle");
    return false;
  }
  uint32_t process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) {
    d.zReport("sc_Subclass", "Window handle belongs to another process");
    return false;
  }
  if (owner == nullptr) owner = &d.self_;
  const std::vector<MessageHandler> handlers = owner->MessageHandlers();
  const auto declared = static_cast<int64_t>(handlers.size());
  if (ordinal < 1 || ordinal > declared || !handlers[declared - ordinal]) {
    d.zReport("sc_Subclass", "Callback method not found");
    return false;
  }
  if (!d.table_) d.table_.emplace();

  const Impl::RecordPtr record = Impl::Allocate();
  if (record == nullptr) {
    d.zReport("sc_Subclass", "VirtualAlloc failed, error: " + std::to_string(GetLastError()));
    return false;
  }
  if (d.FindKey(window) != 0) {
    Impl::Discard(record);
    d.zReport("sc_Subclass", "Window handle is already subclassed");
    return false;
  }
  d.table_->emplace_back(Impl::Key(window), record->address);

  record->window = window;
  record->handler = handlers[declared - ordinal];
  record->userValue = userValue;
  const int32_t address = record->address;
  record->entry = RegisterWindowProc([address](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return Impl::Route(address, w, m, wp, lp);
  });

  const int32_t previous = SetWindowLongA(window, GWL_WNDPROC, record->entry);
  if (previous == 0) {
    const uint32_t error = GetLastError();
    // Nothing may reach the released record through its key afterwards.
    Impl::Discard(record);
    d.RemoveKey(window);
    d.zReport("sc_Subclass", "SetWindowLong failed, error #" + std::to_string(error));
    return false;
  }
  record->previous = previous;
  return true;
}

void Subclasser::sc_UnSubclass(HWND window) {
  Impl& d = *impl_;
  if (!d.table_) {
    d.zReport("sc_UnSubclass", "Window handle isn't subclassed");
    return;
  }
  if (const Impl::RecordPtr record = d.MappedRecord(window)) {
    record->shutdown = true;
    d.zDelMsg(ALL_MESSAGES, record->before);
    d.zDelMsg(ALL_MESSAGES, record->after);
    // A window that is gone sends no more messages to end its record.
    if (!IsWindow(record->window)) Impl::Release(record);
  }
  d.RemoveKey(window);
}

void Subclasser::sc_StopAll() {
  Impl& d = *impl_;
  if (!d.table_) return;
  const auto entries = *d.table_;  // sc_UnSubclass removes keys as it goes
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (const Impl::RecordPtr record = Impl::Usable(it->second)) sc_UnSubclass(record->window);
  }
  d.table_.reset();
}

void Subclasser::sc_HookMsg(HWND window, int32_t message, int32_t phase) {
  const Impl::RecordPtr record = impl_->MappedRecord(window);
  if (record == nullptr) return;
  if (phase & kPhaseBefore) impl_->zAddMsg(message, record->before);
  if (phase & kPhaseAfter) impl_->zAddMsg(message, record->after);
}

void Subclasser::sc_UnhookMsg(HWND window, int32_t message, int32_t phase) {
  const Impl::RecordPtr record = impl_->MappedRecord(window);
  if (record == nullptr) return;
  if (phase & kPhaseBefore) impl_->zDelMsg(message, record->before);
  if (phase & kPhaseAfter) impl_->zDelMsg(message, record->after);
}

LRESULT Subclasser::sc_CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Impl::RecordPtr record = impl_->MappedRecord(window);
  if (record == nullptr) return 0;
  return CallWindowProcA(record->previous, window, message, wParam, lParam);
}

int32_t Subclasser::sc_UserValue(HWND window) {
  const Impl::RecordPtr record = impl_->MappedRecord(window);
  return record == nullptr ? 0 : record->userValue;
}

void Subclasser::sc_UserValue(HWND window, int32_t value) {
  if (const Impl::RecordPtr record = impl_->MappedRecord(window)) record->userValue = value;
}

std::vector<std::string> Subclasser::HookTableKeys() const {
  std::vector<std::string> keys;
  if (impl_->table_) {
    for (const auto& entry : *impl_->table_)
      keys.push_back(entry.first);
  }
  return keys;
}

int Subclasser::LiveRecordCount() {
  return static_cast<int>(Impl::Records().size());
}

std::optional<Subclasser::Table> Subclasser::MessageTable(HWND window, int32_t phase) const {
  if (phase != kPhaseBefore && phase != kPhaseAfter) return std::nullopt;
  const Impl::RecordPtr record = Impl::Usable(impl_->FindKey(window));
  if (record == nullptr) return std::nullopt;
  const HookRecord::MsgTable& table = phase == kPhaseBefore ? record->before : record->after;
  Table out;
  out.count = table.count;
  for (int32_t i = 0; i < table.count && i < MSG_ENTRIES; ++i) {
    out.entries.push_back(table.entries[i]);
  }
  return out;
}

void Subclasser::FailNextAllocation(uint32_t error) {
  Impl::FailNext() = error;
}

}  // namespace starquill
