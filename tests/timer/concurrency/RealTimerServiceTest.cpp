// Timers across threads: the tick/destruction handshake with ticks run by hand, the real
// service (one thread, ticks never overlapping, stopping against ticks in flight, users that go
// away) and the virtual service while another thread starts and stops timers.
#include "app/timer/RealTimerService.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "Sync.h"
#include "app/timer/VirtualTimerService.h"

namespace {

void WaitUntilDead(const CTimerUser* user) {
  while (user->IsAlive()) std::this_thread::yield();
}

// The destructor waits for the tick that runs; a tick waiting behind it never runs.
TEST(TimerUserHandshake, DestroyingWaitsForTheRunningTickAndTheWaitingOneNeverRuns) {
  Counter firstStarted, releaseFirst;
  std::atomic<int> ticks{0};
  std::atomic<bool> tickEnded{false}, deleteReturned{false}, tickEndedBeforeDelete{false};
  auto user = std::make_unique<CountingUser>([&] {
    if (++ticks > 1) return;
    firstStarted.Increment();
    releaseFirst.WaitFor(1);
    tickEnded = true;
  });
  CountingUser* raw = user.get();
  std::thread running([raw] { raw->RunTick(); });
  ASSERT_TRUE(firstStarted.WaitFor(1));
  std::thread waiting([raw] { raw->RunTick(); });
  while (raw->TicksInside() != 2) std::this_thread::yield();  // waiting behind the running one
  std::thread destroyer([&] {
    user.reset();
    tickEndedBeforeDelete = tickEnded.load();
    deleteReturned = true;
  });
  WaitUntilDead(raw);  // the destructor has begun and must now wait for the tick
  EXPECT_FALSE(deleteReturned.load());
  releaseFirst.Increment();
  for (std::thread* t : {&destroyer, &running, &waiting}) t->join();
  EXPECT_TRUE(tickEndedBeforeDelete.load());
  EXPECT_EQ(ticks.load(), 1);
}

// Ticks run one after another: once a fresh timer has ticked a few times, every tick that was
// in flight before has ended.
void WaitForTheService() {
  CountingUser probe;
  probe.Start(1);
  ASSERT_TRUE(probe.ticks.WaitFor(3));
}

class RealTimerTest : public ::testing::Test {
 protected:
  RealTimerService service_;
  ScopedTimerService installed_{&service_};
};

TEST_F(RealTimerTest, TicksOfDifferentUsersNeverOverlapAndRunOnTheTimerThread) {
  std::atomic<int> inside{0}, overlaps{0};
  std::atomic<std::thread::id> thread{};
  std::atomic<bool> oneThread{true};
  std::array<std::unique_ptr<CountingUser>, 6> users;
  for (std::size_t i = 0; i < users.size(); ++i) {
    users[i] = std::make_unique<CountingUser>([&] {
      if (inside.fetch_add(1) != 0) ++overlaps;
      std::thread::id expected{};
      const std::thread::id self = std::this_thread::get_id();
      if (!thread.compare_exchange_strong(expected, self) && expected != self) oneThread = false;
      for (int y = 0; y < 50; ++y) std::this_thread::yield();
      inside.fetch_sub(1);
    });
    users[i]->Start(i < 4 ? 1 : 2);
  }
  for (auto& user : users) ASSERT_TRUE(user->ticks.WaitFor(40));
  for (auto& user : users) user->Stop();
  EXPECT_EQ(overlaps.load(), 0);
  EXPECT_TRUE(oneThread.load());
  EXPECT_NE(thread.load(), std::this_thread::get_id());
}

TEST_F(RealTimerTest, StartAndStopInsideATickTakeEffectAtOnce) {
  CountingUser started, other;
  int otherTicksAtStop = -1, selfTicks = 0;
  CountingUser self([&] {
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

TEST_F(RealTimerTest, UsersDestroyedWithTheirTimerRunningAreNeverTickedAgain) {
  // Under the sanitizers: no tick reaches a freed object, whatever the moment of destruction.
  for (int round = 0; round < 30; ++round) {
    auto user = std::make_unique<CountingUser>();
    StartTimer(1, user.get());  // a timer it never stops, like the hot-plug check's
    ASSERT_TRUE(user->ticks.WaitFor(round % 3));
    user.reset();
    EXPECT_EQ(service_.RunningTimers(), 0u);
  }
  WaitForTheService();
}

TEST_F(RealTimerTest, StartingAndStoppingFromSeveralThreadsAgainstRunningTicks) {
  std::array<std::unique_ptr<CountingUser>, 4> users;
  for (auto& user : users) user = std::make_unique<CountingUser>();
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

// The thread hooks run on the timer thread around its ticks; a zero period or no user is
// refused; a service going away ends every timer and uninstalls itself.
TEST(RealTimerService, HooksAroundTheTicksAndGoingAwayEndsEveryTimer) {
  std::atomic<std::thread::id> startThread{}, tickThread{};
  std::atomic<int> starts{0}, ends{0}, ticks{0};
  std::atomic<bool> endedAfterTicks{false};
  CountingUser a([&] { tickThread = std::this_thread::get_id(), ++ticks; }), b;
  {
    RealTimerService service([&] { startThread = std::this_thread::get_id(), ++starts; },
                             [&] { endedAfterTicks = ticks.load() > 0, ++ends; });
    EXPECT_EQ(service.Start(0, &a), 0u);
    EXPECT_EQ(service.Start(1, nullptr), 0u);
    InstallTimerService(&service);
    a.Start(1);
    b.Start(5);
    ASSERT_TRUE(a.ticks.WaitFor(2));
    EXPECT_EQ(ends.load(), 0);
  }
  EXPECT_EQ(CurrentTimerService(), nullptr);
  EXPECT_EQ(starts.load() + ends.load(), 2);
  EXPECT_TRUE(endedAfterTicks.load());
  EXPECT_EQ(startThread.load(), tickThread.load());
}

// On either service: a stop from another thread returns only after the tick in flight ended,
// and no tick follows.
TEST(TimerThreads, StopFromAnotherThreadReturnsAfterTheTickInFlight) {
  for (const bool real : {true, false}) {
    RealTimerService realService;
    VirtualTimerService virtualService;
    ScopedTimerService installed(real ? static_cast<ITimerService*>(&realService)
                                      : &virtualService);
    const auto running = [&] {
      return real ? realService.RunningTimers() : virtualService.RunningTimers();
    };
    Counter entered;
    std::atomic<bool> tickEnded{false}, endedWhenStopReturned{false};
    CountingUser user([&] {
      entered.Increment();
      // Stay in the tick until the stopper has removed the timer and is (rightly) waiting.
      while (running() != 0) std::this_thread::yield();
      for (int i = 0; i < 2000; ++i) std::this_thread::yield();
      tickEnded = true;
    });
    user.Start(real ? 1 : 10);
    std::thread stopper([&] {
      ASSERT_TRUE(entered.WaitFor(1));
      user.Stop();
      endedWhenStopReturned = tickEnded.load();
    });
    if (!real) virtualService.Advance(100);
    stopper.join();
    EXPECT_TRUE(endedWhenStopReturned.load());
    if (real) WaitForTheService();
    EXPECT_EQ(user.ticks.Value(), 1);
  }
}

TEST(VirtualTimerThreads, StartingAndStoppingWhileTimeMoves) {
  VirtualTimerService clock;
  ScopedTimerService installed(&clock);
  CountingUser ticking, other;
  ticking.Start(1);
  std::atomic<bool> done{false};
  std::thread starter([&] {
    for (int i = 0; i < 500; ++i) {
      const unsigned id = StartTimer(1 + i % 5, &other);
      if (i % 3 != 0) StopTimer(id);
    }
    done = true;
  });
  while (!done) clock.Advance(1);
  starter.join();
  EXPECT_EQ(ticking.ticks.Value(), static_cast<int>(clock.Now()));
}

}  // namespace
