// The tick path allocates nothing once the timers run: counted by replacing the global
// allocation functions and marking the timer thread from the service's thread hook.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "Sync.h"
#include "app/timer/RealTimerService.h"

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

TEST(RealTimerAllocation, SteadyTickingAndRestartingInsideATickAllocateNothing) {
  const long unmarked = g_timerThreadAllocations.load();
  t_onTimerThread = true;  // the count itself sees allocations
  auto p = std::make_unique<int>(1);
  t_onTimerThread = false;
  EXPECT_EQ(g_timerThreadAllocations.load(), unmarked + 1);

  RealTimerService service([] { t_onTimerThread = true; });
  ScopedTimerService installed(&service);
  CountingUser a, b, c;
  // The key-repeat pattern: stop and start again from the tick, many times over.
  CountingUser rearming([&] {
    rearming.Stop();
    rearming.Start(1);
  });
  a.Start(1);
  b.Start(1);
  c.Start(2);
  rearming.Start(1);
  ASSERT_TRUE(c.ticks.WaitFor(3));
  ASSERT_TRUE(rearming.ticks.WaitFor(3));
  const long before = g_timerThreadAllocations.load();
  ASSERT_TRUE(c.ticks.WaitFor(30));
  ASSERT_TRUE(a.ticks.WaitFor(60));
  ASSERT_TRUE(rearming.ticks.WaitFor(60));
  EXPECT_EQ(g_timerThreadAllocations.load(), before);
}

}  // namespace
