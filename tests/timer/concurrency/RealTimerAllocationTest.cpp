// The tick path allocates nothing once the timers run: counted by replacing the global
// allocation functions and marking the timer thread from the service's thread hook.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "Sync.h"
#include "app/timer/RealTimerService.h"
#include "app/timer/TimerUser.h"

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

class QuietUser : public CTimerUser {
 public:
  ~QuietUser() override { EndTicks(); }
  void OnTimer() override { ticks.Increment(); }
  Counter ticks;
};

TEST(RealTimerAllocation, TheCountSeesAllocations) {
  const long before = g_timerThreadAllocations.load();
  t_onTimerThread = true;
  auto p = std::make_unique<int>(1);
  t_onTimerThread = false;
  EXPECT_EQ(g_timerThreadAllocations.load(), before + 1);
}

TEST(RealTimerAllocation, SteadyTickingAllocatesNothing) {
  RealTimerService service([] { t_onTimerThread = true; });
  ScopedTimerService installed(&service);
  QuietUser a, b, c;
  const unsigned ids[] = {StartTimer(1, &a), StartTimer(1, &b), StartTimer(2, &c)};
  ASSERT_TRUE(c.ticks.WaitFor(3));
  const long before = g_timerThreadAllocations.load();
  ASSERT_TRUE(c.ticks.WaitFor(30));
  ASSERT_TRUE(a.ticks.WaitFor(60));
  EXPECT_EQ(g_timerThreadAllocations.load(), before);
  for (unsigned id : ids) StopTimer(id);
}

TEST(RealTimerAllocation, RestartingATimerInsideATickReusesItsSlot) {
  // The key-repeat pattern: stop and start again from the tick, many times over.
  RealTimerService service([] { t_onTimerThread = true; });
  ScopedTimerService installed(&service);
  class Rearming : public CTimerUser {
   public:
    ~Rearming() override { EndTicks(); }
    void OnTimer() override {
      StopTimer(id);
      id = StartTimer(1, this);
      ticks.Increment();
    }
    std::atomic<unsigned> id{0};
    Counter ticks;
  } user;
  user.id = StartTimer(1, &user);
  ASSERT_TRUE(user.ticks.WaitFor(3));
  const long before = g_timerThreadAllocations.load();
  ASSERT_TRUE(user.ticks.WaitFor(40));
  EXPECT_EQ(g_timerThreadAllocations.load(), before);
  StopTimer(user.id);
}

}  // namespace
