// Window hooks: routing through the before and after tables, table limits, the reports of
// misuse, re-entrant messages and the deferred release of records.

#include "controls/subclasser.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/fake_host.h"

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

// A control whose window reports its moves and keys to the test.
struct Control : ControlEvents {
  std::function<void()> moved, key_down;
  void UserControl_MouseMove(int16_t, int16_t, float, float) override {
    if (moved) moved();
  }
  void UserControl_KeyDown(int16_t, int16_t) override {
    if (key_down) key_down();
  }
};

// The test's windows, with the failures a real run cannot produce.
class TestWindows : public ControlWindowHooks {
 public:
  using ControlWindowHooks::ControlWindowHooks;
  bool BelongsToAnotherProcess(const ControlWindow& window) const override {
    return window.hWnd() == foreign;
  }
  uint32_t RecordError() override { return std::exchange(next_record_error, 0); }

  HWND foreign = 0;
  uint32_t next_record_error = 0;  // for the next record only
};

// The hook records in the window's chain.
int Hooks(const ControlWindow& window) {
  int hooks = 0;
  for (const WindowProcedure* p = window.Procedure().Replaced(); p != nullptr; p = p->Replaced())
    ++hooks;
  return hooks;
}

bool Restored(const ControlWindow& window) {
  return Hooks(window) == 0;
}

class SubclassTest : public ::testing::Test {
 protected:
  SubclassTest() {
    owner.handlers = {Handler("first"), Handler("last")};
    c.moved = [this] { log.push_back("own"); };
  }
  ~SubclassTest() override {
    hooks.sc_StopAll();
    w.Destroy();
    w2.Destroy();
    w3.Destroy();
    EXPECT_EQ(Live(), 0);
  }

  MessageHandler Handler(std::string name) {
    return [this, name](bool before, bool& handled, int32_t& result, HWND, UINT message, WPARAM,
                        LPARAM, int32_t& userValue) {
      log.push_back(name + (before ? " B " : " A ") + std::to_string(message) + " r" +
                    std::to_string(result) + " u" + std::to_string(userValue));
      if (react) react(before, handled, result, message, userValue);
    };
  }
  LRESULT Send(UINT message, WPARAM wParam = 0) { return w.SendMessage(message, wParam, 0); }
  // Hook records still in a window's chain.
  int Live() const { return Hooks(w) + Hooks(w2) + Hooks(w3); }

  Log log;
  Reaction react;
  Owner owner;
  Control c, c2;
  ControlWindow w{&c}, w2{&c2}, w3;
  testing::FakeHost host;
  TestWindows windows{&w, &w2, &w3};
  Subclasser hooks{owner, "CandyButton", host, windows};
};

using SubclassRouting = SubclassTest;
using SubclassTables = SubclassTest;
using SubclassErrors = SubclassTest;
using SubclassLifetime = SubclassTest;

// A procedure under the hook with a result of its own.
class Inner : public WindowProcedure {
 public:
  LRESULT Handle(ControlWindow& window, UINT message, WPARAM wParam, LPARAM lParam) override {
    CallReplaced(window, message, wParam, lParam);
    return 1000 + wParam;
  }
};

TEST_F(SubclassRouting, PhasesSurroundThePreviousProcedureWhoseResultTheAfterPhaseSees) {
  const auto inner = std::make_shared<Inner>();
  ASSERT_TRUE(w.Hook(inner));
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
  EXPECT_EQ(&w.Procedure(), inner.get());
  EXPECT_TRUE(w.Unhook(*inner));
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
  log.clear();
  Send(WM_KEYDOWN);
  Send(WM_MOUSEMOVE);
  EXPECT_EQ(log, (Log{"first B 512 r0 u3", "own"}));
  EXPECT_TRUE(host.reports.empty());
}

TEST_F(SubclassTables, DuplicatesFreedEntriesOverflowAndRemoval) {
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  const HWND h = w.hWnd();
  // Which of these messages the handler sees, and in which phase.
  const auto routed = [&](std::vector<UINT> messages) {
    log.clear();
    for (UINT m : messages)
      Send(m);
    Log seen;
    for (const std::string& line : log) {
      if (line != "own") seen.push_back(line.substr(5, line.find(" r") - 5));
    }
    return seen;
  };
  hooks.sc_HookMsg(h, 512, 2);
  hooks.sc_HookMsg(h, 512, 2);  // no second entry: one removal takes it out
  hooks.sc_HookMsg(h, 675, 2);
  EXPECT_EQ(routed({512, 675}), (Log{"A 512", "A 675"}));
  hooks.sc_UnhookMsg(h, 512, 2);
  EXPECT_EQ(routed({512, 675}), Log{"A 675"});
  hooks.sc_UnhookMsg(h, 512, 2);
  hooks.sc_UnhookMsg(h, 0xABC, 1);
  EXPECT_EQ(host.reports, (Log{"CandyButton.zDelMsg: Message &H200 not found in table",
                               "CandyButton.zDelMsg: Message &HABC not found in table"}));

  // The freed entry takes the next message: with 675 the table holds two, and 30 more fit.
  hooks.sc_HookMsg(h, 7, 2);
  for (UINT m = 3000; m < 3030; ++m)
    hooks.sc_HookMsg(h, static_cast<int32_t>(m), 2);
  EXPECT_EQ(host.reports.size(), 2u);
  host.reports.clear();
  hooks.sc_HookMsg(h, 3030, 2);
  EXPECT_EQ(host.reports.size(), 1u);
  EXPECT_EQ(routed({7, 675, 3029, 3030}), (Log{"A 7", "A 675", "A 3029"}));

  for (int32_t m = 1000; m < 1000 + Subclasser::MSG_ENTRIES; ++m)
    hooks.sc_HookMsg(h, m, 1);
  host.reports.clear();
  hooks.sc_HookMsg(h, 2000, 1);
  hooks.sc_HookMsg(h, 1000, 1);  // already present, but the table is full
  const std::string overflow =
      "CandyButton.zAddMsg: Message table overflow. Either increase the value of Const "
      "MSG_ENTRIES or use ALL_MESSAGES instead of specific message values";
  EXPECT_EQ(host.reports, (Log{overflow, overflow}));
  EXPECT_EQ(routed({1000, 1031, 2000}), (Log{"B 1000", "B 1031"}));
  hooks.sc_UnhookMsg(h, Subclasser::ALL_MESSAGES, 3);
  EXPECT_EQ(routed({7, 675, 1000}), Log{});
}

TEST_F(SubclassErrors, EachCheckReportsAndLeavesNothingBehind) {
  EXPECT_FALSE(hooks.sc_Subclass(0));
  EXPECT_EQ(host.reports, Log{"CandyButton.sc_Subclass: Invalid window handle"});
  EXPECT_EQ(host.boxes, Log{"Error in CandyButton.sc_Subclass|Invalid window handle.|!"});
  host.reports.clear();
  windows.foreign = w2.hWnd();
  EXPECT_FALSE(hooks.sc_Subclass(w2.hWnd()));
  EXPECT_FALSE(hooks.sc_Subclass(w.hWnd(), 0, 3));
  EXPECT_FALSE(hooks.sc_Subclass(w.hWnd(), 0, 0));
  windows.next_record_error = 8;
  EXPECT_FALSE(hooks.sc_Subclass(w.hWnd()));
  EXPECT_EQ(host.reports, (Log{"CandyButton.sc_Subclass: Window handle belongs to another process",
                               "CandyButton.sc_Subclass: Callback method not found",
                               "CandyButton.sc_Subclass: Callback method not found",
                               "CandyButton.sc_Subclass: VirtualAlloc failed, error: 8"}));
  EXPECT_EQ(Live(), 0);

  host.reports.clear();
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));  // records are at hand again
  hooks.sc_HookMsg(w.hWnd(), WM_MOUSEMOVE, 2);
  EXPECT_FALSE(hooks.sc_Subclass(w.hWnd(), 0, 1, &owner));
  EXPECT_EQ(host.reports, Log{"CandyButton.sc_Subclass: Window handle is already subclassed"});
  EXPECT_EQ(Live(), 1);
  Send(WM_MOUSEMOVE);
  EXPECT_EQ(log, (Log{"own", "last A 512 r0 u0"}));
}

TEST_F(SubclassErrors, LookupsBeforeAndAfterTheTableExists) {
  hooks.sc_UnSubclass(w.hWnd());
  hooks.sc_HookMsg(w.hWnd(), 512, 1);
  EXPECT_EQ(hooks.sc_CallDefault(w.hWnd(), 512, 0, 0), 0);
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  EXPECT_EQ(hooks.sc_UserValue(w2.hWnd()), 0);
  EXPECT_EQ(host.reports, (Log{"CandyButton.sc_UnSubclass: Window handle isn't subclassed",
                               "CandyButton.zMap_hWnd: Subclassing hasn't been started",
                               "CandyButton.zMap_hWnd: Subclassing hasn't been started",
                               "CandyButton.zMap_hWnd: Window handle isn't subclassed"}));
  EXPECT_EQ(hooks.HookTableKeys(), Log{std::string("h").append(std::to_string(w.hWnd()))});
}

TEST_F(SubclassErrors, AFailedProcedureReplacementLeavesNoKey) {
  owner.queried = [this] { w.Destroy(); };  // the window goes before its procedure is replaced
  EXPECT_FALSE(hooks.sc_Subclass(w.hWnd()));
  EXPECT_EQ(host.reports, Log{"CandyButton.sc_Subclass: SetWindowLong failed, error #1400"});
  EXPECT_TRUE(hooks.HookTableKeys().empty());
  EXPECT_EQ(Live(), 0);
  host.reports.clear();
  hooks.sc_HookMsg(w.hWnd(), 512, 1);
  EXPECT_EQ(host.reports, Log{"CandyButton.zMap_hWnd: Window handle isn't subclassed"});
}

TEST_F(SubclassLifetime, ReleasedOnlyWhenTheOutermostCallReturns) {
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  c.moved = [this] {
    Send(WM_KEYDOWN);
    log.push_back(std::to_string(Live()) + " " + (Restored(w) ? "own" : "hooked"));
  };
  c.key_down = [this] { hooks.sc_UnSubclass(w.hWnd()); };
  Send(WM_MOUSEMOVE);
  EXPECT_EQ(log, Log{"1 hooked"});  // the nested call returned at depth 1
  EXPECT_TRUE(Restored(w));
  EXPECT_EQ(Live(), 0);
  EXPECT_TRUE(hooks.HookTableKeys().empty());
}

TEST_F(SubclassLifetime, RecordEndsWithItsWindowEvenWhileItsProcedureRuns) {
  // Shutting down with no further message: the destroy releases it.
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  hooks.sc_UnSubclass(w.hWnd());
  EXPECT_EQ(Live(), 1);
  w.Destroy();
  EXPECT_EQ(Live(), 0);

  // Destroyed from inside its own previous procedure, then unhooked there: released at once,
  // while the outer call still runs.
  ASSERT_TRUE(hooks.sc_Subclass(w2.hWnd()));
  hooks.sc_HookMsg(w2.hWnd(), Subclasser::ALL_MESSAGES, 3);
  c2.moved = [this] {
    w2.Destroy();
    log.push_back(std::to_string(Live()));
    hooks.sc_UnSubclass(w2.hWnd());
    log.push_back(std::to_string(Live()));
  };
  w2.SendMessage(WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(log, (Log{"last B 512 r0 u0", "last B 2 r0 u0", "last A 2 r0 u0", "1", "0"}));
  EXPECT_TRUE(host.reports.empty());
}

TEST_F(SubclassLifetime, AHookedWindowsDestroyEndsItsRecordAndLeavesAnUnusableKey) {
  ASSERT_TRUE(hooks.sc_Subclass(w.hWnd()));
  hooks.sc_HookMsg(w.hWnd(), WM_DESTROY, 2);
  w.Destroy();
  EXPECT_EQ(log, Log{"last A 2 r0 u0"});
  EXPECT_EQ(Live(), 0);
  EXPECT_TRUE(Restored(w));
  hooks.sc_HookMsg(w.hWnd(), 512, 1);  // silently nothing
  hooks.sc_UnSubclass(w.hWnd());
  EXPECT_TRUE(host.reports.empty());
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
  EXPECT_EQ(Live(), 1);
  hooks.sc_UnSubclass(w.hWnd());
  Send(WM_KEYDOWN);
  EXPECT_TRUE(Restored(w));
}

TEST_F(SubclassLifetime, StopAllEndsEveryHookAndRecordsOutliveTheirSubclasser) {
  {
    Subclasser other(owner, "CandyButton", host, windows);
    for (const ControlWindow* window : {&w, &w2, &w3}) {
      ASSERT_TRUE(other.sc_Subclass(window->hWnd()));
      other.sc_HookMsg(window->hWnd(), Subclasser::ALL_MESSAGES, 3);
    }
    w3.Destroy();  // its record ends with it; its key stays until the stop
    log.clear();
    other.sc_StopAll();
    EXPECT_TRUE(other.HookTableKeys().empty());
    other.sc_HookMsg(w.hWnd(), 512, 1);
    EXPECT_EQ(host.reports, Log{"CandyButton.zMap_hWnd: Subclassing hasn't been started"});
  }
  EXPECT_EQ(Live(), 2);  // until each window's next message
  Send(WM_MOUSEMOVE);
  w2.SendMessage(WM_KEYDOWN, 0, 0);
  EXPECT_EQ(log, Log{"own"});  // the emptied tables call no handler
  EXPECT_TRUE(Restored(w) && Restored(w2));
  EXPECT_EQ(Live(), 0);
}

}  // namespace
}  // namespace starquill
