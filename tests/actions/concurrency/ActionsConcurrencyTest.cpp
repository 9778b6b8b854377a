// Actions on the real timer service: ticks on the timer thread while other threads press,
// release, reset and delete the same actions, and while the library is read and edited at
// once. Run under ThreadSanitizer; nothing here measures time, the waits only order threads.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "actions/AbsoluteMousePlacement.h"
#include "actions/ActionLibrary.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"
#include "platform/sim/SimPlatform.h"
#include "support/Sync.h"
#include "support/TempFolder.h"
#include "timer/RealTimerService.h"

namespace {

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

class ActionsOnRealTimers : public ::testing::Test {
 protected:
  ActionsOnRealTimers() {
    platform.desktop().SetKeyboardDelay(0);  // 250 ms, then every 28 ms
    platform.desktop().SetKeyboardSpeed(31);
    sentinel.Start(1);
  }
  ~ActionsOnRealTimers() override {
    ClearActions();
    CAbsoluteMousePlacement::Instance().Reset();
  }
  // Waits tick by tick of the timer thread until `done` holds; false after a long time (a hang).
  bool WaitUntil(const std::function<bool()>& done) {
    for (int ticks = sentinel.ticks.Value(); !done(); ++ticks) {
      if (!sentinel.ticks.WaitFor(ticks + 1)) return false;
    }
    return true;
  }
  bool WaitTicks(int n) { return sentinel.ticks.WaitFor(sentinel.ticks.Value() + n); }

  seam::SimPlatform platform;
  seam::ScopedServices services{platform.services()};
  RealTimerService timers;
  ScopedTimerService installed{&timers};
  CountingUser sentinel;  // its ticks show that the timer thread moved on
};

// Pressed by a poll on the timer thread (as a controller's tick does) and ended on another
// thread, running actions stop at once: no key stays down, no pointer is placed and no tick
// sends anything after. The first rounds wait for the held key's keyboard repeat, whose timer
// is restarted from its own tick.
TEST_F(ActionsOnRealTimers, ReleasedResetOrDeletedFromAnotherThreadStopAtOnce) {
  std::atomic<std::vector<std::unique_ptr<CAction>>*> toPress{nullptr};
  CountingUser poll([&] {
    CMouseSpeedData speed(40);
    if (auto* actions = toPress.exchange(nullptr)) {
      for (auto& a : *actions) a->Press(&speed);
    }
  });
  poll.Start(1);
  for (int i = 0; i < 90; ++i) {
    auto actions = EveryKind();
    platform.input().ClearLog();
    toPress = &actions;
    // 300 ticks of 1 ms: the held key's timer, due at 250 ms, has ticked before the last.
    ASSERT_TRUE(i < 3 ? WaitTicks(300) : WaitUntil([&] { return platform.input().Count() > 12; }));
    if (i % 3 == 0) {  // released; the toggles end at the release after their second press
      for (auto& a : actions) a->Release(nullptr);
      for (auto& a : actions) a->Press(nullptr), a->Release(nullptr);
    } else if (i % 3 == 1) {
      for (auto& a : actions) a->ForceRelease();
    } else {
      actions.clear();  // no release first: deletion must end everything by itself
    }
    EXPECT_EQ(timers.RunningTimers(), 2u);  // the sentinel and the poll
    EXPECT_TRUE(platform.input().AllReleased());
    EXPECT_EQ(CAbsoluteMousePlacement::Instance().ContributorCount(), 0u);
    const std::size_t count = platform.input().Count();
    ASSERT_TRUE(WaitTicks(i < 3 ? 60 : 3));  // longer than a repeat interval
    EXPECT_EQ(platform.input().Count(), count) << "a tick after the end, round " << i;
  }
}

TEST_F(ActionsOnRealTimers, TheLibraryIsReadOnTheTimerThreadWhileItIsEdited) {
  TempFolder folder;
  const std::string path = folder.File("Actions.xml");
  std::string keys;
  for (int i = 0; i < 40; ++i) {
    keys += "<VKAction theme='T" + std::to_string(i % 4) + "' name='K" + std::to_string(i) +
            "' value='0x4" + std::to_string(i % 10) + "' type='Hit'/>";
  }
  std::ofstream(path, std::ios::binary)
      << "<Actions><VKActions>" + keys +
             "</VKActions><ComplexActions><ComplexAction theme='T0' "
             "name='Both'><CombinedAction theme='T0' name='K0'/><CombinedAction theme='T1' "
             "name='K1'/></ComplexAction></ComplexActions></Actions>";
  ASSERT_EQ(ReloadActions(path.c_str()), ActionsFileState::Read);

  // The timer thread clones, as a profile load started by the hot-plug check does, and
  // presses its clones with the library lock released.
  std::atomic<long> found{0};
  CountingUser reader([&] {
    if (auto clone = CloneAction("t0", "both")) {
      found.fetch_add(1);
      clone->Press(nullptr);
      clone->Release(nullptr);
    }
    auto lock = LockActionLibrary();
    for (CAction* a : GetActionsOfTheme("T1")) EXPECT_STREQ(a->GetTheme(), "T1");
    for (int i = 0; i < GetThemeCount(); ++i) EXPECT_NE(GetThemeName(i), nullptr);
  });
  reader.Start(1);
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
    ASSERT_TRUE(i % 10 != 0 || WaitTicks(1));
  }
  ASSERT_TRUE(WaitUntil([&] { return found.load() > 10; }));
  reader.Stop();
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_TRUE(platform.messages().Log().empty());
}

}  // namespace
