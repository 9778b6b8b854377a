// Timers started and stopped from the timer thread, and the tick path's allocations: counted by
// replacing the global allocation functions and marking the timer thread from its start hook.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "app/timer/RealTimerService.h"
#include "support/Sync.h"

namespace {
thread_local bool t_onTimerThread = false;
std::atomic<long> g_timerThreadAllocations{0};

void* Allocate(std::size_t n) {
  if (t_onTimerThread) g_timerThreadAllocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(n == 0 ? 1 : n);
}
}  // namespace

void* operator new(std::size_t n) {
  if (void* p = Allocate(n)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
  if (void* p = Allocate(n)) return p;
  throw std::bad_alloc();
}
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
  CountingUser steady, started, other;
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
  steady.Start(2);
  for (CountingUser* user : {&other, &self, &rearming}) user->Start(1);
  ASSERT_TRUE(started.ticks.WaitFor(3));
  ASSERT_TRUE(rearming.ticks.WaitFor(3));
  const long before = g_timerThreadAllocations.load();
  ASSERT_TRUE(steady.ticks.WaitFor(30));
  ASSERT_TRUE(started.ticks.WaitFor(60));
  ASSERT_TRUE(rearming.ticks.WaitFor(60));
  EXPECT_EQ(g_timerThreadAllocations.load(), before);
  EXPECT_EQ(self.ticks.Value(), 3);
  EXPECT_EQ(other.ticks.Value(), otherTicksAtStop);
}

}  // namespace
