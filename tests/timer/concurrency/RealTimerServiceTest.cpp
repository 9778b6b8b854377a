// The real timer service: one thread, ticks never overlapping, stopping against ticks in
// flight from other threads and from inside ticks, and users that go away.
#include "app/timer/RealTimerService.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "Sync.h"
#include "app/timer/TimerUser.h"

namespace {

class ServiceUser : public CTimerUser {
 public:
  explicit ServiceUser(std::function<void()> tick = {}) : tick_(std::move(tick)) {}
  // The usual order: stop the timer (waiting for its tick in flight), then end any other tick
  // before the members go.
  ~ServiceUser() override {
    Stop();
    EndTicks();
  }
  void Start(unsigned periodMs) { id = StartTimer(periodMs, this); }
  void Stop() {
    StopTimer(id);
    id = 0;
  }
  void OnTimer() override {
    if (tick_) tick_();
    ticks.Increment();
  }

  std::atomic<unsigned> id{0};
  Counter ticks;

 private:
  std::function<void()> tick_;
};

class RealTimerTest : public ::testing::Test {
 protected:
  // Ticks run one after another: once a fresh timer has ticked a few times, every tick that
  // was in flight before has ended.
  void WaitForTheService() {
    ServiceUser probe;
    probe.Start(1);
    ASSERT_TRUE(probe.ticks.WaitFor(3));
  }

  RealTimerService service_;
  ScopedTimerService installed_{&service_};
};

TEST_F(RealTimerTest, TicksOfDifferentUsersNeverOverlap) {
  std::atomic<int> inside{0}, overlaps{0};
  std::atomic<bool> oneThread{true};
  std::atomic<std::thread::id> tickThread{};
  auto tick = [&] {
    if (inside.fetch_add(1) != 0) ++overlaps;
    std::thread::id expected{};
    const std::thread::id self = std::this_thread::get_id();
    if (!tickThread.compare_exchange_strong(expected, self) && expected != self) {
      oneThread = false;
    }
    for (int i = 0; i < 50; ++i) std::this_thread::yield();
    inside.fetch_sub(1);
  };
  std::array<std::unique_ptr<ServiceUser>, 6> users;
  for (auto& user : users) user = std::make_unique<ServiceUser>(tick);
  for (std::size_t i = 0; i < users.size(); ++i) users[i]->Start(i < 4 ? 1 : 2);
  for (auto& user : users) ASSERT_TRUE(user->ticks.WaitFor(40));
  for (auto& user : users) user->Stop();
  EXPECT_EQ(overlaps.load(), 0);
  EXPECT_TRUE(oneThread.load());
  EXPECT_NE(tickThread.load(), std::this_thread::get_id());
}

TEST_F(RealTimerTest, StopFromAnotherThreadReturnsAfterTheTickInFlight) {
  Gate entered;
  std::atomic<bool> tickEnded{false};
  ServiceUser user([&] {
    if (entered.IsOpen()) return;
    entered.Open();
    // Stay in the tick until the stopper has removed the timer and is (rightly) waiting.
    while (service_.RunningTimers() != 0) std::this_thread::yield();
    for (int i = 0; i < 2000; ++i) std::this_thread::yield();
    tickEnded = true;
  });
  user.Start(1);
  ASSERT_TRUE(entered.Wait());
  std::atomic<bool> endedWhenStopReturned{false};
  std::thread stopper([&] {
    StopTimer(user.id);
    endedWhenStopReturned = tickEnded.load();
  });
  stopper.join();
  EXPECT_TRUE(endedWhenStopReturned.load());
  const int ticks = user.ticks.Value();
  WaitForTheService();
  EXPECT_EQ(user.ticks.Value(), ticks);
}

TEST_F(RealTimerTest, StartAndStopInsideATickTakeEffectAtOnce) {
  ServiceUser started;
  ServiceUser other;
  int otherTicksAtStop = -1;
  int selfTicks = 0;
  ServiceUser self([&] {
    if (++selfTicks != 3) return;
    StopTimer(self.id);  // its own timer, in flight: must not wait for itself
    otherTicksAtStop = other.ticks.Value();
    other.Stop();  // another timer, from the timer thread
    started.Start(1);
  });
  other.Start(1);
  self.Start(1);
  ASSERT_TRUE(started.ticks.WaitFor(5));
  EXPECT_EQ(self.ticks.Value(), 3);
  EXPECT_EQ(other.ticks.Value(), otherTicksAtStop);
  EXPECT_EQ(service_.RunningTimers(), 1u);
}

TEST_F(RealTimerTest, DestroyingAUserWhileItsTickRunsWaitsForTheTick) {
  Gate tickStarted, releaseTick;
  std::atomic<bool> tickEnded{false}, endedWhenDeleteReturned{false};
  auto user = std::make_unique<ServiceUser>([&] {
    if (tickStarted.IsOpen()) return;
    tickStarted.Open();
    releaseTick.Wait();
    tickEnded = true;
  });
  user->Start(1);
  ASSERT_TRUE(tickStarted.Wait());
  std::thread destroyer([&] {
    user.reset();  // stops the timer from another thread, then the handshake
    endedWhenDeleteReturned = tickEnded.load();
  });
  while (service_.RunningTimers() != 0) std::this_thread::yield();
  releaseTick.Open();
  destroyer.join();
  EXPECT_TRUE(endedWhenDeleteReturned.load());
}

// A user that never stops its timer, like the configuration's hot-plug check.
class UnstoppedUser : public CTimerUser {
 public:
  explicit UnstoppedUser(Counter& ticks) : ticks_(ticks) { StartTimer(1, this); }
  ~UnstoppedUser() override { EndTicks(); }
  void OnTimer() override { ticks_.Increment(); }

 private:
  Counter& ticks_;
};

TEST_F(RealTimerTest, UsersDestroyedWithTheirTimerRunningAreNeverTickedAgain) {
  // Under the sanitizers: no tick reaches a freed object, whatever the moment of destruction.
  for (int round = 0; round < 30; ++round) {
    Counter ticks;
    auto user = std::make_unique<UnstoppedUser>(ticks);
    ASSERT_TRUE(ticks.WaitFor(round % 3));
    user.reset();
    EXPECT_EQ(service_.RunningTimers(), 0u);
  }
  WaitForTheService();
}

TEST_F(RealTimerTest, StartingAndStoppingFromSeveralThreadsAgainstRunningTicks) {
  std::array<std::unique_ptr<ServiceUser>, 4> users;
  for (auto& user : users) user = std::make_unique<ServiceUser>();
  std::atomic<unsigned> lastId{0};
  std::thread starter([&] {
    for (int i = 0; i < 300; ++i) {
      const unsigned id = StartTimer(1 + i % 3, users[i % users.size()].get());
      ASSERT_NE(id, 0u);
      lastId = id;
      if (i % 2 == 0) StopTimer(id);
    }
  });
  std::thread stopper([&] {
    for (int i = 0; i < 300; ++i) StopTimer(lastId.load() - i % 2);
  });
  starter.join();
  stopper.join();
  for (auto& user : users) user.reset();  // withdraws every timer still running
  EXPECT_EQ(service_.RunningTimers(), 0u);
}

TEST(RealTimerService, ThreadHooksRunOnTheTimerThreadAroundItsTicks) {
  std::atomic<std::thread::id> startThread{}, tickThread{};
  std::atomic<int> starts{0}, ends{0};
  std::atomic<bool> endedAfterTicks{false};
  std::atomic<int> ticks{0};
  {
    auto onStart = [&] {
      startThread = std::this_thread::get_id();
      ++starts;
    };
    auto onEnd = [&] {
      endedAfterTicks = ticks.load() > 0;
      ++ends;
    };
    RealTimerService service(onStart, onEnd);
    ScopedTimerService installed(&service);
    ServiceUser user([&] {
      tickThread = std::this_thread::get_id();
      ++ticks;
    });
    user.Start(1);
    ASSERT_TRUE(user.ticks.WaitFor(2));
    EXPECT_EQ(ends.load(), 0);
  }
  EXPECT_EQ(starts.load(), 1);
  EXPECT_EQ(ends.load(), 1);
  EXPECT_TRUE(endedAfterTicks.load());
  EXPECT_EQ(startThread.load(), tickThread.load());
}

TEST(RealTimerService, DestroyingTheServiceEndsEveryTimerAndUninstallsIt) {
  ServiceUser a, b;
  {
    RealTimerService service;
    InstallTimerService(&service);
    a.Start(1);
    b.Start(5);
    ASSERT_TRUE(a.ticks.WaitFor(2));
  }
  EXPECT_EQ(CurrentTimerService(), nullptr);
}

TEST(RealTimerService, RefusesAZeroPeriod) {
  RealTimerService service;
  ServiceUser user;
  EXPECT_EQ(service.Start(0, &user), 0u);
  EXPECT_EQ(service.Start(1, nullptr), 0u);
  EXPECT_EQ(service.RunningTimers(), 0u);
}

}  // namespace
