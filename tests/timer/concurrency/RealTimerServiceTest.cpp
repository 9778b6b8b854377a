// Timers across threads: the tick/destruction handshake with ticks run by hand, the real
// service driven from several threads at once and from its own ticks, stops from another
// thread against the tick in flight on either service, and the tick path's allocations:
// counted by replacing the global allocation functions and marking the timer thread from the
// service's start hook.
#include "timer/RealTimerService.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <thread>
#include <utility>

#include "support/StressJobs.h"
#include "support/Sync.h"
#include "timer/VirtualTimerService.h"

namespace {
thread_local bool t_onTimerThread = false;
std::atomic<long> g_timerThreadAllocations{0};

void* Allocate(std::size_t n) {
  if (t_onTimerThread) g_timerThreadAllocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(n == 0 ? 1 : n);
}
void* AllocateOrThrow(std::size_t n) {
  if (void* p = Allocate(n)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t n) { return AllocateOrThrow(n); }
void* operator new[](std::size_t n) { return AllocateOrThrow(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

// Stops and starts inside a tick take effect at once, and once the timers run, ticking and
// restarting from a tick (the key-repeat pattern) allocate nothing.
TEST(RealTimerAllocation, TicksStartAndStopTimersAtOnceAndSteadyTickingAllocatesNothing) {
  const long unmarked = g_timerThreadAllocations.load();
  t_onTimerThread = true;  // the count itself sees allocations
  auto p = std::make_unique<int>(1);
  t_onTimerThread = false;
  EXPECT_EQ(g_timerThreadAllocations.load(), unmarked + 1);

  RealTimerService service([] { t_onTimerThread = true; });
  ScopedTimerService installed(&service);
  CountingUser started, other;
  int otherTicksAtStop = -1, selfTicks = 0;
  CountingUser self([&] {
    if (++selfTicks != 3) return;
    StopTimer(self.id);  // its own timer, in flight: must not wait for itself
    otherTicksAtStop = other.ticks.Value();
    other.Stop();  // another timer, from the timer thread
    started.Start(1);
  });
  CountingUser rearming([&] {
    rearming.Stop();
    rearming.Start(1);
  });
  other.Start(2);
  for (CountingUser* user : {&self, &rearming}) user->Start(1);
  ASSERT_TRUE(started.ticks.WaitFor(3));
  ASSERT_TRUE(rearming.ticks.WaitFor(3));
  const long before = g_timerThreadAllocations.load();
  ASSERT_TRUE(started.ticks.WaitFor(100));
  ASSERT_TRUE(rearming.ticks.WaitFor(100));  // more restarts than the slots reserved
  EXPECT_EQ(g_timerThreadAllocations.load(), before);
  EXPECT_EQ(self.ticks.Value(), 3);
  EXPECT_EQ(other.ticks.Value(), otherTicksAtStop);
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
  // The destructor has begun and must now wait for the tick.
  while (raw->IsAlive()) std::this_thread::yield();
  EXPECT_FALSE(deleteReturned.load());
  releaseFirst.Increment();
  for (std::thread* t : {&destroyer, &running, &waiting}) t->join();
  EXPECT_TRUE(tickEndedBeforeDelete.load());
  EXPECT_EQ(ticks.load(), 1);
}

// Ticks that check they never overlap and run on the service's own thread, while other threads
// start and stop timers and destroy users whose timers still run; the thread hooks run around
// the ticks, and the service goes away with a timer still running.
TEST(RealTimerService, TicksNeverOverlapWhileTimersComeAndGoOnOtherThreads) {
  std::atomic<std::thread::id> timerThread{};
  std::atomic<int> inside{0}, overlaps{0}, strangers{0};
  std::atomic<long> ticks{0}, ticksAtEnd{-1};
  const auto tick = [&] {
    if (inside.fetch_add(1) != 0) ++overlaps;
    if (std::this_thread::get_id() != timerThread.load()) ++strangers;
    for (int y = 0; y < 50; ++y) std::this_thread::yield();
    ++ticks;
    inside.fetch_sub(1);
  };
  CountingUser outliving;
  {
    RealTimerService service([&] { timerThread = std::this_thread::get_id(); },
                             [&] { ticksAtEnd = ticks.load(); });
    ScopedTimerService installed(&service);
    EXPECT_EQ(service.Start(0, &outliving), 0u);
    EXPECT_EQ(service.Start(1, nullptr), 0u);
    std::array<std::unique_ptr<CountingUser>, 4> users;
    for (auto& user : users) user = std::make_unique<CountingUser>(tick);
    std::array<std::atomic<unsigned>, 4> extra{};  // each id is stopped by whoever takes it
    RunStressJobs({[&](std::mt19937& rng) {
                     const unsigned id = StartTimer(1 + rng() % 3, users[rng() % 4].get());
                     StopTimer(extra[rng() % extra.size()].exchange(id));
                   },
                   [&](std::mt19937& rng) { StopTimer(extra[rng() % extra.size()].exchange(0)); },
                   [&](std::mt19937& rng) {  // a timer it never stops, like the hot-plug check's
                     auto user = std::make_unique<CountingUser>(tick);
                     StartTimer(1, user.get());
                     EXPECT_TRUE(user->ticks.WaitFor(static_cast<int>(rng() % 3)));
                   }},
                  std::chrono::milliseconds(0), 100, [&] { return ticks.load() >= 300; });
    for (auto& user : users) user.reset();  // withdraws every timer still running
    EXPECT_EQ(service.RunningTimers(), 0u);
    outliving.Start(1);
    EXPECT_EQ(ticksAtEnd.load(), -1);
  }
  EXPECT_EQ(CurrentTimerService(), nullptr);
  EXPECT_EQ(ticksAtEnd.load(), ticks.load());
  EXPECT_EQ(overlaps.load(), 0);
  EXPECT_EQ(strangers.load(), 0);
  EXPECT_NE(timerThread.load(), std::this_thread::get_id());
}

// On either service: a stop from another thread returns only after the tick in flight ended,
// and no tick follows (on the virtual one, time moves on after the stop).
TEST(TimerThreads, StopFromAnotherThreadReturnsAfterTheTickInFlight) {
  for (const bool real : {true, false}) {
    RealTimerService realService;
    VirtualTimerService virtualService;
    ScopedTimerService installed(real ? static_cast<ITimerService*>(&realService)
                                      : &virtualService);
    Counter entered;
    std::atomic<bool> tickEnded{false}, endedWhenStopReturned{false};
    CountingUser user([&] {
      entered.Increment();
      // Stay in the tick until the stopper has removed the timer and is (rightly) waiting.
      while (realService.RunningTimers() + virtualService.RunningTimers() != 0) {
        std::this_thread::yield();
      }
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
    EXPECT_EQ(user.ticks.Value(), 1);
  }
}

TEST(VirtualTimerThreads, StartingAndStoppingWhileTimeMoves) {
  VirtualTimerService clock;
  ScopedTimerService installed(&clock);
  CountingUser ticking, other;
  ticking.Start(1);
  std::array<unsigned, 4> ids{};  // at most 4 more timers at a time
  RunStressJobs({[&](std::mt19937&) { clock.Advance(1); },
                 [&](std::mt19937& rng) {
                   StopTimer(std::exchange(ids[rng() % 4], StartTimer(1 + rng() % 5, &other)));
                 }},
                std::chrono::milliseconds(0), 500);
  EXPECT_EQ(ticking.ticks.Value(), static_cast<int>(clock.Now()));
}

}  // namespace
