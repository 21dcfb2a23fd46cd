#include "controls/subclasser.h"

#include <array>
#include <cstdio>

namespace starquill {

ControlWindow* ControlWindowHooks::Find(HWND window) const {
  for (ControlWindow* w : windows_) {
    if (w->hWnd() == window && w->Exists()) return w;
  }
  return nullptr;
}

uint32_t ControlWindowHooks::Install(ControlWindow& window,
                                     std::shared_ptr<WindowProcedure> procedure) {
  return window.Hook(std::move(procedure)) ? 0 : kInvalidWindowHandle;
}

struct Subclasser::MsgTable {
  int32_t count = 0;  // 0 empty, ALL_MESSAGES, or 1..MSG_ENTRIES
  std::array<int32_t, MSG_ENTRIES> entries{};

  bool Wants(UINT message) const {
    if (count == ALL_MESSAGES) return true;
    for (int32_t i = 0; i < count && i < MSG_ENTRIES; ++i) {
      if (entries[i] == static_cast<int32_t>(message)) return true;
    }
    return false;
  }
};

// One hooked window: a procedure in front of the window's chain. The chain owns it, and it
// owns the procedure it replaced; the Subclasser that made it only watches it, so that a
// record shutting down outlives its Subclasser until its window finishes a message at depth 0
// or is destroyed. Its window outlives it: the window's chain holds it, and a call in progress
// is one on that window.
class Subclasser::Record : public WindowProcedure {
 public:
  explicit Record(ControlWindow& window) : window_(window) {}

  ControlWindow& Window() const { return window_; }
  bool Usable() const { return !released_; }
  LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallReplaced(window_, message, wParam, lParam);
  }

  // Takes the record out of its window's chain, which lets it go once it no longer runs.
  void Release() {
    if (released_) return;
    released_ = true;
    window_.Unhook(*this);
  }

  LRESULT Handle(ControlWindow& window, UINT message, WPARAM wParam, LPARAM lParam) override {
    int32_t result = 0;
    bool handled = false;
    if (handler && before.Wants(message)) {
      handler(true, handled, result, window.hWnd(), message, wParam, lParam, userValue);
      if (handled) {
        if (!released_ && depth_ == 0 && WindowEnding(message)) Release();
        return result;
      }
    }
    ++depth_;
    result = CallReplaced(window, message, wParam, lParam);
    --depth_;
    if (released_) return result;
    if (depth_ == 0 && (shutdown || !window_.Exists())) {
      Release();
      return result;
    }
    if (handler && after.Wants(message)) {
      handled = false;
      handler(false, handled, result, window.hWnd(), message, wParam, lParam, userValue);
    }
    if (!released_ && depth_ == 0 && WindowEnding(message)) Release();
    return result;
  }

  MessageHandler handler;
  MsgTable before;
  MsgTable after;
  int32_t userValue = 0;
  bool shutdown = false;

 private:
  // A window whose WM_DESTROY has been handled, or which no longer exists, ends its record.
  bool WindowEnding(UINT message) const { return message == WM_DESTROY || !window_.Exists(); }

  ControlWindow& window_;
  int32_t depth_ = 0;  // calls of the previous procedure in progress
  bool released_ = false;
};

namespace {

std::string Key(HWND window) {
  std::string key = "h";
  key += std::to_string(window);
  return key;
}

}  // namespace

Subclasser::Subclasser(MessageHandlerOwner& self, std::string className, ControlHost& host,
                       HookEnvironment& windows)
    : self_(self), className_(std::move(className)), host_(host), windows_(windows) {}

Subclasser::~Subclasser() {
  sc_StopAll();
}

// The record under the window's key while it is usable; `found` tells whether there is a key.
std::shared_ptr<Subclasser::Record> Subclasser::FindKey(HWND window, bool& found) const {
  found = false;
  if (!table_) return nullptr;
  const std::string key = Key(window);
  for (const auto& [k, record] : *table_) {
    if (k != key) continue;
    found = true;
    std::shared_ptr<Record> live = record.lock();
    return live && live->Usable() ? live : nullptr;
  }
  return nullptr;
}

void Subclasser::RemoveKey(HWND window) {
  if (!table_) return;
  const std::string key = Key(window);
  for (auto it = table_->begin(); it != table_->end(); ++it) {
    if (it->first == key) {
      table_->erase(it);
      return;
    }
  }
}

void Subclasser::zReport(const std::string& routine, const std::string& message) const {
  host_.LogError(className_ + "." + routine + ": " + message);
  host_.ShowMessageBox(message + ".", BoxIcon::Exclamation,
                       "Error in " + className_ + "." + routine);
}

// The window's usable record, or nullptr: after a report when there is no key for it.
std::shared_ptr<Subclasser::Record> Subclasser::MappedRecord(HWND window) const {
  if (!table_) {
    zReport("zMap_hWnd", "Subclassing hasn't been started");
    return nullptr;
  }
  bool found = false;
  std::shared_ptr<Record> record = FindKey(window, found);
  if (!found) zReport("zMap_hWnd", "Window handle isn't subclassed");
  return record;
}

void Subclasser::zAddMsg(int32_t message, MsgTable& table) const {
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

void Subclasser::zDelMsg(int32_t message, MsgTable& table) const {
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

bool Subclasser::sc_Subclass(HWND window, int32_t userValue, int32_t ordinal,
                             MessageHandlerOwner* owner) {
  ControlWindow* const target = windows_.Find(window);
  if (target == nullptr) {
    zReport("sc_Subclass", "Invalid window handle");
    return false;
  }
  if (windows_.BelongsToAnotherProcess(*target)) {
    zReport("sc_Subclass", "Window handle belongs to another process");
    return false;
  }
  if (owner == nullptr) owner = &self_;
  const std::vector<MessageHandler> handlers = owner->MessageHandlers();
  const auto declared = static_cast<int64_t>(handlers.size());
  if (ordinal < 1 || ordinal > declared || !handlers[declared - ordinal]) {
    zReport("sc_Subclass", "Callback method not found");
    return false;
  }
  if (!table_) table_.emplace();

  if (const uint32_t error = windows_.RecordError()) {
    zReport("sc_Subclass", "VirtualAlloc failed, error: " + std::to_string(error));
    return false;
  }
  bool subclassed = false;
  FindKey(window, subclassed);
  if (subclassed) {
    zReport("sc_Subclass", "Window handle is already subclassed");
    return false;
  }
  // The handler lookup may have destroyed the window: then the installation fails.
  auto record = std::make_shared<Record>(*target);
  record->handler = handlers[declared - ordinal];
  record->userValue = userValue;
  if (const uint32_t error = windows_.Install(*target, record)) {
    zReport("sc_Subclass", "SetWindowLong failed, error #" + std::to_string(error));
    return false;
  }
  table_->emplace_back(Key(window), record);
  return true;
}

void Subclasser::sc_UnSubclass(HWND window) {
  if (!table_) {
    zReport("sc_UnSubclass", "Window handle isn't subclassed");
    return;
  }
  if (const std::shared_ptr<Record> record = MappedRecord(window)) {
    record->shutdown = true;
    zDelMsg(ALL_MESSAGES, record->before);
    zDelMsg(ALL_MESSAGES, record->after);
    // A window that is gone sends no more messages to end its record.
    if (!record->Window().Exists()) record->Release();
  }
  RemoveKey(window);
}

void Subclasser::sc_StopAll() {
  if (!table_) return;
  const std::vector<Entry> entries = *table_;  // sc_UnSubclass removes keys as it goes
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    const std::shared_ptr<Record> record = it->second.lock();
    if (record && record->Usable()) sc_UnSubclass(record->Window().hWnd());
  }
  table_.reset();
}

void Subclasser::sc_HookMsg(HWND window, int32_t message, int32_t phase) {
  const std::shared_ptr<Record> record = MappedRecord(window);
  if (record == nullptr) return;
  if (phase & kPhaseBefore) zAddMsg(message, record->before);
  if (phase & kPhaseAfter) zAddMsg(message, record->after);
}

void Subclasser::sc_UnhookMsg(HWND window, int32_t message, int32_t phase) {
  const std::shared_ptr<Record> record = MappedRecord(window);
  if (record == nullptr) return;
  if (phase & kPhaseBefore) zDelMsg(message, record->before);
  if (phase & kPhaseAfter) zDelMsg(message, record->after);
}

LRESULT Subclasser::sc_CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::shared_ptr<Record> record = MappedRecord(window);
  return record == nullptr ? 0 : record->CallPrevious(message, wParam, lParam);
}

int32_t Subclasser::sc_UserValue(HWND window) {
  const std::shared_ptr<Record> record = MappedRecord(window);
  return record == nullptr ? 0 : record->userValue;
}

void Subclasser::sc_UserValue(HWND window, int32_t value) {
  if (const std::shared_ptr<Record> record = MappedRecord(window)) record->userValue = value;
}

std::vector<std::string> Subclasser::HookTableKeys() const {
  std::vector<std::string> keys;
  if (table_) {
    for (const auto& entry : *table_)
      keys.push_back(entry.first);
  }
  return keys;
}

}  // namespace starquill
