// CTimerUser and the free functions on one thread: dispatch to the installed service, the
// dead object's ticks, and timers nobody stopped.
#include "app/timer/TimerUser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "RecordingUser.h"
#include "app/timer/TimerService.h"
#include "app/timer/VirtualTimerService.h"

using ::testing::ElementsAre;

namespace {

class CountingUser : public CTimerUser {
 public:
  void OnTimer() override { ++ticks; }
  int ticks = 0;
};

// A user that never stops its timer, like the configuration's hot-plug check.
class NeverStoppingUser : public CTimerUser {
 public:
  explicit NeverStoppingUser(int& ticks) : ticks_(ticks) { StartTimer(1000, this); }
  ~NeverStoppingUser() override { EndTicks(); }
  void OnTimer() override { ++ticks_; }

 private:
  int& ticks_;
};

class FakeService : public ITimerService {
 public:
  unsigned Start(unsigned periodMs, CTimerUser* user) override {
    lastPeriod = periodMs;
    lastUser = user;
    return 42;
  }
  void Stop(unsigned id) override { stopped.push_back(id); }
  unsigned lastPeriod = 0;
  CTimerUser* lastUser = nullptr;
  std::vector<unsigned> stopped;
};

TEST(TimerFunctions, WithoutAServiceStartRefusesAndStopDoesNothing) {
  ASSERT_EQ(CurrentTimerService(), nullptr);
  CountingUser user;
  EXPECT_EQ(StartTimer(30, &user), 0u);
  StopTimer(5);
}

TEST(TimerFunctions, DispatchToTheInstalledServiceAndRestoreThePreviousOne) {
  FakeService outer;
  FakeService inner;
  CountingUser user;
  {
    ScopedTimerService a(&outer);
    {
      ScopedTimerService b(&inner);
      EXPECT_EQ(StartTimer(30, &user), 42u);
      StopTimer(42);
      StopTimer(0);  // never reaches the service
    }
    EXPECT_EQ(CurrentTimerService(), &outer);
  }
  EXPECT_EQ(CurrentTimerService(), nullptr);
  EXPECT_EQ(inner.lastPeriod, 30u);
  EXPECT_EQ(inner.lastUser, &user);
  EXPECT_THAT(inner.stopped, ElementsAre(42u));
  EXPECT_EQ(outer.lastUser, nullptr);
}

TEST(TimerFunctions, AServiceGoingAwayUninstallsItself) {
  {
    VirtualTimerService clock;
    InstallTimerService(&clock);
  }
  EXPECT_EQ(CurrentTimerService(), nullptr);
}

TEST(TimerUser, IsAliveUntilDestroyedAndADeadObjectDoesNotTick) {
  int ticks = 0;
  VirtualTimerService clock;
  ScopedTimerService installed(&clock);
  auto user = std::make_unique<NeverStoppingUser>(ticks);
  EXPECT_TRUE(user->IsAlive());
  user->RunTick();
  EXPECT_EQ(ticks, 1);
  clock.Advance(1000);
  EXPECT_EQ(ticks, 2);
  user.reset();
  EXPECT_EQ(clock.RunningTimers(), 0u);
  clock.Advance(5000);  // under AddressSanitizer: no tick reaches the freed object
  EXPECT_EQ(ticks, 2);
}

TEST(TimerUser, DestroyingAUserWithdrawsOnlyItsOwnTimers) {
  VirtualTimerService clock;
  ScopedTimerService installed(&clock);
  std::vector<std::string> log;
  RecordingUser keep(clock, "keep", log);
  keep.Start(10);
  {
    CountingUser gone;
    StartTimer(10, &gone);
    StartTimer(20, &gone);
    EXPECT_EQ(clock.RunningTimers(), 3u);
  }
  EXPECT_EQ(clock.RunningTimers(), 1u);
  clock.Advance(10);
  EXPECT_THAT(log, ElementsAre("keep@10"));
}

TEST(TimerUser, AUserDestroyedInsideAnotherUsersTickNeverTicksAgain) {
  // The hot-plug check deletes controller objects on the timer thread, between their polls.
  VirtualTimerService clock;
  ScopedTimerService installed(&clock);
  std::vector<std::string> log;
  RecordingUser checker(clock, "check", log);
  auto polled = std::make_unique<RecordingUser>(clock, "poll", log);
  polled->Start(10);
  checker.onTick = [&] { polled.reset(); };
  checker.Start(10);  // due with the poll at 10, after it
  clock.Advance(30);
  EXPECT_THAT(log, ElementsAre("poll@10", "check@10", "check@20", "check@30"));
}

}  // namespace
