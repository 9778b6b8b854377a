// Actions on the real timer service: ticks on the timer thread while other threads press,
// release, reset and delete the same actions, and while the library is read and edited at
// once. Run under ThreadSanitizer; nothing here measures time, the waits only order threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "actions/AbsoluteMousePlacement.h"
#include "actions/ActionLibrary.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"
#include "app/timer/RealTimerService.h"
#include "platform/sim/SimPlatform.h"
#include "support/TempFolder.h"
#include "timer/concurrency/Sync.h"

namespace {

// Starts a user that runs `tick` on the timer thread every millisecond and counts its ticks,
// so that a test can wait for the thread to move on without sleeping.
std::unique_ptr<CountingUser> Ticker(std::function<void()> tick = {}) {
  auto user = std::make_unique<CountingUser>(std::move(tick));
  user->Start(1);
  return user;
}

// Waits tick by tick until `done` holds; false after a long time (a hang under test).
bool WaitUntil(CountingUser& ticker, const std::function<bool()>& done) {
  for (int ticks = ticker.ticks.Value(); !done(); ++ticks) {
    if (!ticker.ticks.WaitFor(ticks + 1)) return false;
  }
  return true;
}
bool WaitTicks(CountingUser& ticker, int n) {
  return ticker.ticks.WaitFor(ticker.ticks.Value() + n);
}

class ActionsOnRealTimers : public ::testing::Test {
 protected:
  ActionsOnRealTimers() {
    platform.desktop().SetKeyboardDelay(0);  // 250 ms, then every 28 ms
    platform.desktop().SetKeyboardSpeed(31);
    Reset();
  }
  ~ActionsOnRealTimers() override { Reset(); }
  static void Reset() {
    ClearActions();
    CAbsoluteMousePlacement::Instance().Reset();
  }
  bool WaitForInput(std::size_t count) {
    return WaitUntil(*sentinel, [&] { return platform.input().Count() >= count; });
  }
  // Input stops at once: nothing more arrives while the timer thread ticks `n` times.
  void ExpectNoMoreInput(long n) {
    const std::size_t count = platform.input().Count();
    ASSERT_TRUE(WaitTicks(*sentinel, n));
    EXPECT_EQ(platform.input().Count(), count) << "a tick after the end";
  }

  seam::SimPlatform platform;
  seam::ScopedServices services{platform.services()};
  RealTimerService timers;
  ScopedTimerService installed{&timers};
  std::unique_ptr<CountingUser> sentinel = Ticker();
};

TEST_F(ActionsOnRealTimers, RepeatingKeysReleasedFromAnotherThreadStopAtOnce) {
  CVKAction repeat(0x41, PushType::Repeat, "R");
  repeat.SetRate(1);
  CVKAction hold(0x42, PushType::Hold, "H");
  for (const auto& [action, rounds, ticks] :
       {std::tuple{&repeat, 100, 3}, std::tuple{&hold, 4, 60}}) {
    for (int i = 0; i < rounds; ++i) {
      action->Press(nullptr);
      ASSERT_TRUE(WaitForInput(platform.input().Count() + 3));
      action->Release(nullptr);
      EXPECT_FALSE(action->IsTimerRunning());
      EXPECT_TRUE(platform.input().Log().back().IsKeyUp());
      ExpectNoMoreInput(ticks);  // longer than a repeat interval
    }
  }
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 1u);  // the sentinel
}

// Every kind on 1 or 2 ms timers: a repeating key, a hold, a toggle, a mouse button, the wheel,
// relative and absolute movement, and a combination of three of them.
std::vector<std::unique_ptr<CAction>> EveryKind() {
  std::vector<std::unique_ptr<CAction>> actions;
  auto repeat = std::make_unique<CVKAction>(0x44, PushType::Repeat, "R");
  repeat->SetRate(1);
  actions.push_back(std::move(repeat));
  actions.push_back(std::make_unique<CVKAction>(0x45, PushType::Hold, "H"));
  actions.push_back(std::make_unique<CVKAction>(0x46, PushType::Toggle, "T"));
  actions.push_back(std::make_unique<CVKAction>(0x01, PushType::Hold, "Left"));
  actions.push_back(std::make_unique<CMouseWheelAction>(PushType::Hold, 2, 1, 1, "W"));
  actions.push_back(std::make_unique<CMouseAction>(PushType::Hold, false, 1, 500, 50, 0, "M"));
  actions.push_back(std::make_unique<CMouseAction>(PushType::Toggle, true, 2, 70, 20, 90, "A"));
  std::vector<const CAction*> parts = {actions[0].get(), actions[2].get(), actions[3].get()};
  actions.push_back(std::make_unique<CComplexAction>(PushType::Hold, parts, "C", "", false));
  return actions;
}

TEST_F(ActionsOnRealTimers, ActionsDeletedWhileTheirTimersRunAreNeverTickedAgain) {
  for (int i = 0; i < 60; ++i) {
    auto actions = EveryKind();
    const std::size_t before = platform.input().Count();
    for (auto& a : actions) a->Press(nullptr);
    ASSERT_TRUE(WaitForInput(before + 12));
    actions.clear();  // no release first: deletion must end everything by itself
    EXPECT_EQ(timers.RunningTimers(), 1u);
    ExpectNoMoreInput(3);
  }
  EXPECT_TRUE(platform.input().AllReleased());
}

TEST_F(ActionsOnRealTimers, PressedByAPollAndResetFromAnotherThread) {
  auto actions = EveryKind();

  // The poll presses and releases on the timer thread, as a controller's tick does.
  std::atomic<unsigned> round{0};
  auto poll = Ticker([&] {
    const unsigned r = round.fetch_add(1);
    CMouseSpeedData speed(static_cast<double>(r % 100));
    for (auto& a : actions) r % 3 == 0 ? a->Press(&speed) : a->Release(&speed);
  });
  std::mt19937 random(7);
  for (int i = 0; i < 400; ++i) {
    actions[random() % actions.size()]->ForceRelease();
    ASSERT_TRUE(i % 50 != 0 || WaitTicks(*sentinel, 1));
  }
  ASSERT_TRUE(poll->ticks.WaitFor(31));
  poll.reset();
  for (auto& a : actions) a->ForceRelease();
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 1u);
  EXPECT_EQ(CAbsoluteMousePlacement::Instance().ContributorCount(), 0u);
}

TEST_F(ActionsOnRealTimers, TheLibraryIsReadOnTheTimerThreadWhileItIsEdited) {
  TempFolder folder;
  const std::string path = folder.File("Actions.xml");
  {
    std::ofstream out(path, std::ios::binary);
    out << "<Actions><VKActions>";
    for (int i = 0; i < 40; ++i) {
      out << "<VKAction theme='T" << i % 4 << "' name='K" << i << "' value='0x4" << i % 10
          << "' type='Hit'/>";
    }
    out << "</VKActions><ComplexActions><ComplexAction theme='T0' name='Both'>"
        << "<CombinedAction theme='T0' name='K0'/><CombinedAction theme='T1' name='K1'/>"
        << "</ComplexAction></ComplexActions></Actions>";
  }
  ASSERT_TRUE(ReloadActions(path.c_str()));

  // The timer thread clones, as a profile load started by the hot-plug check does, and
  // presses its clones with the library lock released.
  std::atomic<long> found{0};
  auto reader = Ticker([&] {
    if (auto clone = CloneAction("t0", "both")) {
      found.fetch_add(1);
      clone->Press(nullptr);
      clone->Release(nullptr);
    }
    auto lock = LockActionLibrary();
    for (CAction* a : GetActionsOfTheme("T1")) EXPECT_STREQ(a->GetTheme(), "T1");
    for (int i = 0; i < GetThemeCount(); ++i) EXPECT_NE(GetThemeName(i), nullptr);
  });
  for (int i = 0; i < 150; ++i) {
    auto extra = std::make_unique<CVKAction>(0x20, PushType::Hit, "Extra");
    extra->SetTheme("T1");
    if (i % 5 == 0) ReloadActions(path.c_str());
    if (i % 5 == 1) AddAction(std::move(extra)), DeleteAction("T1", "K5");
    if (i % 5 == 2) CreateActionsXML();
    if (auto lock = LockActionLibrary(); i % 5 == 3 && FindAction("T1", "Extra")) {
      FindAction("T1", "Extra")->SetPushType(PushType::Hold);  // edited in place, locked
    }
    if (i % 5 == 4) ClearActions(), LoadActions(path.c_str());
    ASSERT_TRUE(i % 10 != 0 || WaitTicks(*sentinel, 1));
  }
  ASSERT_TRUE(WaitUntil(*reader, [&] { return found.load() > 10; }));
  reader.reset();
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_TRUE(platform.messages().Log().empty());
}

}  // namespace
