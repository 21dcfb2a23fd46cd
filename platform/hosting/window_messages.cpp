#include "platform/hosting/window_messages.h"

#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/hosting/control_window.h"
#include "platform/support/ascii.h"

namespace starquill {
namespace {

std::map<WNDPROC, std::shared_ptr<const WindowProc>>& Procs() {
  static std::map<WNDPROC, std::shared_ptr<const WindowProc>> procs;
  return procs;
}
WNDPROC g_next_proc = 0x00400000;
uint32_t g_last_error = 0;

struct Module {
  HMODULE handle;
  bool loaded;
  std::set<std::string> exports;  // lower case
};

std::map<std::string, Module>& Modules() {
  static std::map<std::string, Module> modules = {
      {"user32",
       {1,
        true,
        {"trackmouseevent", "setwindowlonga", "callwindowproca", "iswindow",
         "getwindowthreadprocessid", "setwindowrgn", "sendmessagea"}}},
      {"kernel32",
       {2, true, {"virtualfree", "virtualalloc", "isbadcodeptr", "getcurrentprocessid"}}},
      {"comctl32", {3, false, {"_trackmouseevent"}}},
  };
  return modules;
}

Module* ModuleByHandle(HMODULE handle) {
  for (auto& [name, module] : Modules()) {
    if (module.handle == handle && module.loaded) return &module;
  }
  return nullptr;
}

}  // namespace

LPARAM MakeMouseLParam(int x, int y) {
  const uint32_t lo = static_cast<uint16_t>(static_cast<int16_t>(std::clamp(x, -32768, 32767)));
  const uint32_t hi = static_cast<uint16_t>(static_cast<int16_t>(std::clamp(y, -32768, 32767)));
  return static_cast<LPARAM>(lo | (hi << 16));
}

WNDPROC RegisterWindowProc(WindowProc proc) {
  const WNDPROC id = g_next_proc++;
  Procs()[id] = std::make_shared<const WindowProc>(std::move(proc));
  return id;
}

void UnregisterWindowProc(WNDPROC proc) {
  Procs().erase(proc);
}

int32_t SetWindowLongA(HWND window, int index, int32_t newValue) {
  ControlWindow* target = ControlWindow::FromHandle(window);
  if (target == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (index != GWL_WNDPROC) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  if (Procs().count(newValue) == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return target->ReplaceWindowProc(newValue);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto it = Procs().find(proc);
  if (it == Procs().end()) return 0;
  // Held for the call: the procedure may unregister itself while it runs.
  const std::shared_ptr<const WindowProc> call = it->second;
  return (*call)(window, message, wParam, lParam);
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const ControlWindow* target = ControlWindow::FromHandle(window);
  if (target == nullptr) return 0;
  return CallWindowProcA(target->WindowProcedure(), window, message, wParam, lParam);
}

bool IsWindow(HWND window) {
  return ControlWindow::FromHandle(window) != nullptr;
}

uint32_t GetWindowThreadProcessId(HWND window, uint32_t* processId) {
  const ControlWindow* target = ControlWindow::FromHandle(window);
  if (target == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (processId != nullptr) *processId = target->OwnerProcess();
  return 1;
}

uint32_t GetCurrentProcessId() {
  return static_cast<uint32_t>(getpid());
}

uint32_t GetLastError() {
  return g_last_error;
}
void SetLastError(uint32_t error) {
  g_last_error = error;
}

HMODULE GetModuleHandleA(std::string_view name) {
  const auto it = Modules().find(AsciiLower(name));
  return it != Modules().end() && it->second.loaded ? it->second.handle : 0;
}

HMODULE LoadLibraryA(std::string_view name) {
  const auto it = Modules().find(AsciiLower(name));
  if (it == Modules().end()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  it->second.loaded = true;
  return it->second.handle;
}

bool FreeLibrary(HMODULE module) {
  for (auto& [name, m] : Modules()) {
    // The modules loaded from the start stay.
    if (m.handle == module && m.loaded) {
      if (name == "comctl32") m.loaded = false;
      return true;
    }
  }
  return false;
}

intptr_t GetProcAddress(HMODULE module, std::string_view function) {
  const Module* m = ModuleByHandle(module);
  if (m == nullptr || m->exports.count(AsciiLower(function)) == 0) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return 0;
  }
  return static_cast<intptr_t>(m->handle) << 16 | 1;
}

void SetExportAvailable(std::string_view module, std::string_view function, bool available) {
  const auto it = Modules().find(AsciiLower(module));
  if (it == Modules().end()) return;
  if (available) {
    it->second.exports.insert(AsciiLower(function));
  } else {
    it->second.exports.erase(AsciiLower(function));
  }
}

bool TrackMouseEvent(TRACKMOUSEEVENT* track) {
  if (track == nullptr || track->cbSize != sizeof(TRACKMOUSEEVENT)) return false;
  ControlWindow* target = ControlWindow::FromHandle(track->hwndTrack);
  if (target == nullptr) return false;
  if (track->dwFlags & TME_LEAVE) target->SetTrackingLeave(true);
  return true;
}

bool _TrackMouseEvent(TRACKMOUSEEVENT* track) {
  return TrackMouseEvent(track);
}

}  // namespace starquill
