// Timers on one thread: dispatch to the installed service, ticks on virtual time (their times,
// their order, starting and stopping inside a tick) and the real service's periodic grid.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "support/Sync.h"
#include "timer/TimerSchedule.h"
#include "timer/VirtualTimerService.h"

using ::testing::ElementsAre;

namespace {

class VirtualTime : public ::testing::Test {
 protected:
  // A user that writes "name@time" into the log at every tick, then does `then`.
  CountingUser& User(const std::string& name, std::function<void()> then = {}) {
    return users_.emplace_back([this, name, then] {
      log_.push_back(name + "@" + std::to_string(clock_.Now()));
      if (then) then();
    });
  }

  VirtualTimerService clock_{100};
  ScopedTimerService installed_{&clock_};
  std::vector<std::string> log_;
  std::deque<CountingUser> users_;
};

// Timers go to the installed service, a scoped one restoring the previous, and without one
// nothing starts; identifiers are distinct and non-zero; unknown or repeated stops are harmless.
TEST_F(VirtualTime, DispatchIdentifiersAndRefusals) {
  CountingUser& user = User("A");
  VirtualTimerService inner;
  {
    ScopedTimerService b(&inner);
    StartTimer(30, &user);
  }
  EXPECT_EQ(inner.RunningTimers(), 1u);
  std::set<unsigned> ids{0};
  for (int i = 0; i < 50; ++i) ids.insert(StartTimer(10, &user));
  EXPECT_EQ(ids.size(), 51u);
  StopTimer(*ids.rbegin() + 1000);
  for (unsigned id : ids) StopTimer(id);
  StopTimer(*ids.rbegin());
  clock_.Advance(10);
  EXPECT_TRUE(log_.empty());
  InstallTimerService(nullptr);
  EXPECT_EQ(StartTimer(30, &user), 0u);
  InstallTimerService(&clock_);
}

// Whole periods after the start, in time order; ties in start order (a restarted timer goes
// after the others); one user may run several timers.
TEST_F(VirtualTime, TicksComeWholePeriodsAfterTheStartInTimeOrderAndTiesInStartOrder) {
  CountingUser &a = User("A"), &b = User("B"), &c = User("C");
  a.Start(30);
  clock_.Advance(5);
  b.Start(20);
  c.Start(10);
  StartTimer(15, &c);
  clock_.Advance(19);
  EXPECT_THAT(log_, ElementsAre("C@115", "C@120"));
  a.Stop();
  a.Start(11);  // due at 135 with C's two timers, and started after them
  clock_.Advance(16);
  EXPECT_THAT(log_, ElementsAre("C@115", "C@120", "B@125", "C@125", "C@135", "C@135", "A@135"));
}

TEST_F(VirtualTime, StartsAndStopsInsideATickTakeEffectAtOnce) {
  // At its first tick A starts "late" and stops B, due at the same moment; at its second it
  // stops itself.
  CountingUser &late = User("late"), &b = User("B");
  CountingUser* a = nullptr;
  a = &User("A", [&] {
    if (a->ticks.Value() == 0) {  // counted after this
      late.Start(5);
      b.Stop();
    } else {
      a->Stop();
    }
  });
  a->Start(10);
  b.Start(10);
  clock_.Advance(30);
  EXPECT_THAT(log_, ElementsAre("A@110", "late@115", "A@120", "late@120", "late@125", "late@130"));
  EXPECT_EQ(clock_.RunningTimers(), 1u);
}

TEST(TimerSchedule, ATickOnTimeMovesOnePeriodALateOneSkipsWhatIsPastAndStaysOnTheGrid) {
  using std::chrono::microseconds, std::chrono::milliseconds;
  const auto at = [](int ms) { return timer_schedule::Clock::time_point(milliseconds(ms)); };
  const struct {
    int due, period;
    timer_schedule::Clock::time_point now;
    int next;
  } cases[] = {{30, 30, at(30), 60},   {30, 30, at(59), 60},
               {30, 30, at(60), 60},   {30, 30, at(61), 90},
               {30, 30, at(125), 150}, {1, 1, at(1000) + microseconds(1), 1001}};
  for (const auto& c : cases) {
    EXPECT_EQ(timer_schedule::NextDue(at(c.due), milliseconds(c.period), c.now), at(c.next))
        << c.due << " " << c.period << " " << c.next;
  }
}

}  // namespace
