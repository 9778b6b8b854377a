// The virtual service while another thread starts and stops timers as time moves.
#include "app/timer/VirtualTimerService.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "Sync.h"
#include "app/timer/TimerUser.h"

namespace {

class VirtualUser : public CTimerUser {
 public:
  explicit VirtualUser(std::function<void()> tick = {}) : tick_(std::move(tick)) {}
  ~VirtualUser() override { EndTicks(); }
  void OnTimer() override {
    if (tick_) tick_();
    ++ticks;
  }
  std::atomic<int> ticks{0};

 private:
  std::function<void()> tick_;
};

TEST(VirtualTimerThreads, StopFromAnotherThreadReturnsAfterTheTickInFlight) {
  VirtualTimerService clock;
  ScopedTimerService installed(&clock);
  Gate entered;
  std::atomic<bool> tickEnded{false}, endedWhenStopReturned{false};
  std::atomic<unsigned> id{0};
  VirtualUser user([&] {
    entered.Open();
    while (clock.RunningTimers() != 0) std::this_thread::yield();
    for (int i = 0; i < 2000; ++i) std::this_thread::yield();
    tickEnded = true;
  });
  id = StartTimer(10, &user);
  std::thread stopper([&] {
    ASSERT_TRUE(entered.Wait());
    StopTimer(id);
    endedWhenStopReturned = tickEnded.load();
  });
  clock.Advance(100);
  stopper.join();
  EXPECT_TRUE(endedWhenStopReturned.load());
  EXPECT_EQ(user.ticks.load(), 1);
}

TEST(VirtualTimerThreads, StartingAndStoppingWhileTimeMoves) {
  VirtualTimerService clock;
  ScopedTimerService installed(&clock);
  VirtualUser ticking, other;
  StartTimer(1, &ticking);
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
  const std::uint64_t end = clock.Now();
  EXPECT_EQ(ticking.ticks.load(), static_cast<int>(end));
}

}  // namespace
