// Window hooks: routing through the before and after tables, table limits, the reports of
// misuse, re-entrant messages and the deferred release of records.

#include "controls/subclasser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/hosting/control_window.h"
#include "platform/toolkit/event_log.h"
#include "platform/toolkit/message_box.h"

namespace starquill {
namespace {

using Log = std::vector<std::string>;
using Reaction = std::function<void(bool before, bool& handled, int32_t& result, UINT message,
                                    int32_t& userValue)>;

class Owner : public MessageHandlerOwner {
 public:
  std::vector<MessageHandler> handlers;
  std::function<void()> queried;  // runs when the hook looks its handler up
  std::vector<MessageHandler> MessageHandlers() override {
    if (queried) queried();
    return handlers;
  }
};

class SubclassTest : public ::testing::Test {
 protected:
  SubclassTest() {
    old_log_ = SetEventLogSink([this](std::string_view text) { reports.emplace_back(text); });
    old_box_ = SetMessageBoxHandler([this](std::string_view p, BoxIcon icon, std::string_view t) {
      boxes.push_back(std::string(t) + "|" + std::string(p) + "|" +
                      (icon == BoxIcon::Exclamation ? "!" : "?"));
    });
    owner.handlers = {Handler("first"), Handler("last")};
    w.events.MouseMove = [this](int, int, float, float) { log.push_back("own"); };
  }
  ~SubclassTest() override {
    hooks.sc_StopAll();
    w.Destroy();
    w2.Destroy();
    EXPECT_EQ(Subclasser::LiveRecordCount(), start);
    SetEventLogSink(old_log_);
    SetMessageBoxHandler(old_box_);
  }

  MessageHandler Handler(std::string name) {
    return [this, name](bool before, bool& handled, int32_t& result, HWND, UINT message, WPARAM,
                        LPARAM, int32_t& userValue) {
      log.push_back(name + (before ? " B " : " A ") + std::to_string(message) + " r" +
                    std::to_string(result) + " u" + std::to_string(userValue));
      if (react) react(before, handled, result, message, userValue);
    };
  }
  LRESULT Send(UINT message, WPARAM wParam = 0) {
    return SendMessageA(w.hWnd(), message, wParam, 0);
  }
  bool Restored(const ControlWindow& window) const {
    return window.WindowProcedure() == window.OwnProcedure();
  }

  EventLogSink old_log_;
  MessageBoxHandler old_box_;
  const int start = Subclasser::LiveRecordCount();
  Log log, reports, boxes;
  Reaction react;
  Owner owner;
  ControlWindow w, w2;
  Subclasser hooks{owner, "CandyButton"};
};

using SubclassRouting = SubclassTest;
using SubclassTables = SubclassTest;
using SubclassErrors = SubclassTest;
using SubclassLifetime = SubclassTest;

TEST_F(SubclassRouting, PhasesSurroundThePreviousProcedureWhoseResultTheAfterPhaseSees) {
  // A previous procedure with a result of its own under the hook.
  const WNDPROC own = w.OwnProcedure();
  const WNDPROC inner = RegisterWindowProc([&](HWND h, UINT m, WPARAM wp, LPARAM lp) {
    CallWindowProcA(own, h, m, wp, lp);
    return 1000 + wp;
  });
  SetWindowLongA(w.hWnd(), GWL_WNDPROC, inner);
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd(), 5));
  hooks.sc_HookMsg(w.hWnd(), WM_MOUSEMOVE, 3);
  react = [](bool before, bool&, int32_t& result, UINT, int32_t&) {
    if (!before) result += 1;
  };
  EXPECT_EQ(Send(WM_MOUSEMOVE, 7), 1008);
  EXPECT_EQ(Send(WM_KEYDOWN, 1), 1001);  // not in a table: straight through
  EXPECT_EQ(log, (Log{"last B 512 r0 u5", "own", "last A 512 r1007 u5"}));
  EXPECT_EQ(hooks.sc_CallDefault(w.hWnd(), WM_KEYDOWN, 2, 0), 1002);

  log.clear();
  react = [](bool before, bool& handled, int32_t& result, UINT, int32_t&) {
    handled = before;
    result = 42;
  };
  EXPECT_EQ(Send(WM_MOUSEMOVE), 42);
  EXPECT_EQ(log, Log{"last B 512 r0 u5"});  // neither the previous procedure nor the after phase
  hooks.sc_UnSubclass(w.hWnd());
  Send(WM_KEYDOWN);
  EXPECT_EQ(w.WindowProcedure(), inner);
  UnregisterWindowProc(inner);
  SetWindowLongA(w.hWnd(), GWL_WNDPROC, own);
}

TEST_F(SubclassRouting, AllMessagesOrdinalsAndUserValues) {
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd(), 1, 2));  // ordinal 2: the first handler declared
  hooks.sc_HookMsg(w.hWnd(), Subclasser::ALL_MESSAGES, Subclasser::kPhaseBefore);
  react = [](bool, bool&, int32_t&, UINT, int32_t& userValue) { userValue *= 10; };
  Send(WM_KEYDOWN);
  Send(WM_SIZE);
  EXPECT_EQ(log, (Log{"first B 256 r0 u1", "first B 5 r0 u10"}));
  EXPECT_EQ(hooks.sc_UserValue(w.hWnd()), 100);
  hooks.sc_UserValue(w.hWnd(), 3);
  // A table of every message becomes a table of the one message added.
  hooks.sc_HookMsg(w.hWnd(), WM_MOUSEMOVE, Subclasser::kPhaseBefore);
  EXPECT_EQ(hooks.MessageTable(w.hWnd(), 1)->entries, std::vector<int32_t>{512});
  log.clear();
  Send(WM_KEYDOWN);
  Send(WM_MOUSEMOVE);
  EXPECT_EQ(log, (Log{"first B 512 r0 u3", "own"}));
  EXPECT_TRUE(reports.empty());
}

TEST_F(SubclassTables, DuplicatesFreedEntriesOverflowAndRemoval) {
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  const HWND h = w.hWnd();
  hooks.sc_HookMsg(h, 512, 2);
  hooks.sc_HookMsg(h, 512, 2);
  hooks.sc_HookMsg(h, 675, 2);
  EXPECT_EQ(hooks.MessageTable(h, 2)->entries, (std::vector<int32_t>{512, 675}));
  hooks.sc_UnhookMsg(h, 512, 2);
  EXPECT_EQ(hooks.MessageTable(h, 2)->entries, (std::vector<int32_t>{0, 675}));
  hooks.sc_UnhookMsg(h, 512, 2);
  hooks.sc_UnhookMsg(h, 0xABC, 1);
  EXPECT_EQ(reports, (Log{"CandyButton.zDelMsg: Message &H200 not found in table",
                          "CandyButton.zDelMsg: Message &HABC not found in table"}));
  hooks.sc_HookMsg(h, 7, 2);  // reuses the freed entry
  EXPECT_EQ(hooks.MessageTable(h, 2)->entries, (std::vector<int32_t>{7, 675}));
  EXPECT_EQ(hooks.MessageTable(h, 1)->count, 0);

  for (int32_t m = 1000; hooks.MessageTable(h, 1)->count < Subclasser::MSG_ENTRIES; ++m) {
    hooks.sc_HookMsg(h, m, 1);
  }
  reports.clear();
  hooks.sc_HookMsg(h, 2000, 1);
  hooks.sc_HookMsg(h, 1000, 1);  // already present, but the table is full
  const std::string overflow =
      "CandyButton.zAddMsg: Message table overflow. Either increase the value of Const "
      "MSG_ENTRIES or use ALL_MESSAGES instead of specific message values";
  EXPECT_EQ(reports, (Log{overflow, overflow}));
  EXPECT_EQ(hooks.MessageTable(h, 1)->count, 32);
  hooks.sc_UnhookMsg(h, Subclasser::ALL_MESSAGES, 3);
  EXPECT_EQ(hooks.MessageTable(h, 1)->count, 0);
  EXPECT_EQ(hooks.MessageTable(h, 2)->count, 0);
}

TEST_F(SubclassErrors, EachCheckReportsAndLeavesNothingBehind) {
  EXPECT_FALSE(hooks.sc_Subclass(0));
  EXPECT_EQ(reports, Log{"CandyButton.sc_Subclass: Invalid window handle"});
  EXPECT_EQ(boxes, Log{"Error in CandyButton.sc_Subclass|Invalid window handle.|!"});
  reports.clear();
  w2.SetOwnerProcess(GetCurrentProcessId() + 1);
  EXPECT_FALSE(hooks.sc_Subclass(w2.hWnd()));
  EXPECT_FALSE(hooks.sc_Subclass(w.hWnd(), 0, 3));
  EXPECT_FALSE(hooks.sc_Subclass(w.hWnd(), 0, 0));
  Subclasser::FailNextAllocation(8);
  EXPECT_FALSE(hooks.sc_Subclass(w.hWnd()));
  EXPECT_EQ(reports, (Log{"CandyButton.sc_Subclass: Window handle belongs to another process",
                          "CandyButton.sc_Subclass: Callback method not found",
                          "CandyButton.sc_Subclass: Callback method not found",
                          "CandyButton.sc_Subclass: VirtualAlloc failed, error: 8"}));
  EXPECT_EQ(Subclasser::LiveRecordCount(), start);
  EXPECT_TRUE(Restored(w));

  reports.clear();
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));  // allocations succeed again
  hooks.sc_HookMsg(w.hWnd(), WM_MOUSEMOVE, 2);
  EXPECT_FALSE(hooks.sc_Subclass(w.hWnd(), 0, 1, &owner));
  EXPECT_EQ(reports, Log{"CandyButton.sc_Subclass: Window handle is already subclassed"});
  EXPECT_EQ(Subclasser::LiveRecordCount(), start + 1);
  Send(WM_MOUSEMOVE);
  EXPECT_EQ(log, (Log{"own", "last A 512 r0 u0"}));
}

TEST_F(SubclassErrors, LookupsBeforeAndAfterTheTableExists) {
  hooks.sc_UnSubclass(w.hWnd());
  hooks.sc_HookMsg(w.hWnd(), 512, 1);
  EXPECT_EQ(hooks.sc_CallDefault(w.hWnd(), 512, 0, 0), 0);
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  EXPECT_EQ(hooks.sc_UserValue(w2.hWnd()), 0);
  EXPECT_EQ(reports, (Log{"CandyButton.sc_UnSubclass: Window handle isn't subclassed",
                          "CandyButton.zMap_hWnd: Subclassing hasn't been started",
                          "CandyButton.zMap_hWnd: Subclassing hasn't been started",
                          "CandyButton.zMap_hWnd: Window handle isn't subclassed"}));
  EXPECT_EQ(hooks.HookTableKeys(), Log{std::string("h").append(std::to_string(w.hWnd()))});
}

TEST_F(SubclassErrors, AFailedProcedureReplacementLeavesNoKey) {
  owner.queried = [this] { w.Destroy(); };  // the window goes before its procedure is replaced
  EXPECT_FALSE(hooks.sc_Subclass(w.hWnd()));
  EXPECT_EQ(reports, Log{"CandyButton.sc_Subclass: SetWindowLong failed, error #1400"});
  EXPECT_TRUE(hooks.HookTableKeys().empty());
  EXPECT_EQ(Subclasser::LiveRecordCount(), start);
  reports.clear();
  hooks.sc_HookMsg(w.hWnd(), 512, 1);
  EXPECT_EQ(reports, Log{"CandyButton.zMap_hWnd: Window handle isn't subclassed"});
}

TEST_F(SubclassLifetime, ReleasedOnlyWhenTheOutermostCallReturns) {
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  w.events.MouseMove = [this](int, int, float, float) {
    Send(WM_KEYDOWN);
    log.push_back(std::to_string(Subclasser::LiveRecordCount() - start) + " " +
                  (Restored(w) ? "own" : "hooked"));
  };
  w.events.KeyDown = [this](int, int) { hooks.sc_UnSubclass(w.hWnd()); };
  Send(WM_MOUSEMOVE);
  EXPECT_EQ(log, Log{"1 hooked"});  // the nested call returned at depth 1
  EXPECT_TRUE(Restored(w));
  EXPECT_EQ(Subclasser::LiveRecordCount(), start);
  EXPECT_TRUE(hooks.HookTableKeys().empty());
}

TEST_F(SubclassLifetime, RecordEndsWithItsWindowEvenWhileItsProcedureRuns) {
  // Shutting down with no further message: the destroy releases it.
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  hooks.sc_UnSubclass(w.hWnd());
  EXPECT_EQ(Subclasser::LiveRecordCount(), start + 1);
  w.Destroy();
  EXPECT_EQ(Subclasser::LiveRecordCount(), start);

  // Destroyed from inside its own previous procedure, then unhooked there: released at once,
  // while the outer call still runs.
  ASSERT_TRUE(hooks.sc_Subclass(w2.hWnd()));
  hooks.sc_HookMsg(w2.hWnd(), Subclasser::ALL_MESSAGES, 3);
  w2.events.MouseMove = [this](int, int, float, float) {
    w2.Destroy();
    log.push_back(std::to_string(Subclasser::LiveRecordCount() - start));
    hooks.sc_UnSubclass(w2.hWnd());
    log.push_back(std::to_string(Subclasser::LiveRecordCount() - start));
  };
  SendMessageA(w2.hWnd(), WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(log, (Log{"last B 512 r0 u0", "last B 2 r0 u0", "last A 2 r0 u0", "1", "0"}));
  EXPECT_TRUE(reports.empty());
}

TEST_F(SubclassLifetime, AHookedWindowsDestroyEndsItsRecordAndLeavesAnUnusableKey) {
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  hooks.sc_HookMsg(w.hWnd(), WM_DESTROY, 2);
  w.Destroy();
  EXPECT_EQ(log, Log{"last A 2 r0 u0"});
  EXPECT_EQ(Subclasser::LiveRecordCount(), start);
  EXPECT_TRUE(Restored(w));
  hooks.sc_HookMsg(w.hWnd(), 512, 1);  // silently nothing
  EXPECT_FALSE(hooks.MessageTable(w.hWnd(), 1));
  hooks.sc_UnSubclass(w.hWnd());
  EXPECT_TRUE(reports.empty());
  EXPECT_TRUE(hooks.HookTableKeys().empty());
}

TEST_F(SubclassLifetime, HookedAgainWhileShuttingDownKeepsTheNewHook) {
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  hooks.sc_UnSubclass(w.hWnd());
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));  // on top of the record still in place
  hooks.sc_HookMsg(w.hWnd(), WM_MOUSEMOVE, 2);
  Send(WM_MOUSEMOVE);  // releases the old record underneath
  Send(WM_MOUSEMOVE);
  EXPECT_EQ(log, (Log{"own", "last A 512 r0 u0", "own", "last A 512 r0 u0"}));
  EXPECT_EQ(Subclasser::LiveRecordCount(), start + 1);
  hooks.sc_UnSubclass(w.hWnd());
  Send(WM_KEYDOWN);
  EXPECT_TRUE(Restored(w));
}

TEST_F(SubclassLifetime, StopAllEndsEveryHookAndRecordsOutliveTheirSubclasser) {
  ControlWindow w3;
  {
    Subclasser other(owner, "CandyButton");
    for (const ControlWindow* window : {&w, &w2, &w3}) {
      ASSERT_TRUE(other.sc_Subclass(window->hWnd()));
      other.sc_HookMsg(window->hWnd(), Subclasser::ALL_MESSAGES, 3);
    }
    w3.Destroy();  // its record ends with it; its key stays until the stop
    log.clear();
    other.sc_StopAll();
    EXPECT_TRUE(other.HookTableKeys().empty());
    other.sc_HookMsg(w.hWnd(), 512, 1);
    EXPECT_EQ(reports, Log{"CandyButton.zMap_hWnd: Subclassing hasn't been started"});
  }
  EXPECT_EQ(Subclasser::LiveRecordCount(), start + 2);  // until each window's next message
  Send(WM_MOUSEMOVE);
  SendMessageA(w2.hWnd(), WM_KEYDOWN, 0, 0);
  EXPECT_EQ(log, Log{"own"});  // the emptied tables call no handler
  EXPECT_TRUE(Restored(w) && Restored(w2));
  EXPECT_EQ(Subclasser::LiveRecordCount(), start);
}

}  // namespace
}  // namespace starquill
