// The tick/destruction handshake of CTimerUser with ticks run by hand on other threads.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "Sync.h"
#include "app/timer/TimerUser.h"

namespace {

class HandUser : public CTimerUser {
 public:
  explicit HandUser(std::function<void()> tick) : tick_(std::move(tick)) {}
  // The documented order for a user whose ticks may still come: end them first.
  ~HandUser() override { EndTicks(); }
  void OnTimer() override { tick_(); }
  using CTimerUser::TicksInside;

 private:
  std::function<void()> tick_;
};

void WaitUntilDead(const CTimerUser* user) {
  while (user->IsAlive()) std::this_thread::yield();
}

TEST(TimerUserHandshake, DestroyingWhileATickRunsWaitsForTheTick) {
  Gate tickStarted, releaseTick;
  std::atomic<bool> tickEnded{false}, deleteReturned{false}, tickEndedBeforeDelete{false};
  auto user = std::make_unique<HandUser>([&] {
    tickStarted.Open();
    releaseTick.Wait();
    tickEnded = true;
  });
  HandUser* raw = user.get();
  std::thread ticker([raw] { raw->RunTick(); });
  ASSERT_TRUE(tickStarted.Wait());
  std::thread destroyer([&] {
    user.reset();
    tickEndedBeforeDelete = tickEnded.load();
    deleteReturned = true;
  });
  WaitUntilDead(raw);  // the destructor has begun and must now wait for the tick
  EXPECT_FALSE(deleteReturned.load());
  releaseTick.Open();
  destroyer.join();
  ticker.join();
  EXPECT_TRUE(tickEndedBeforeDelete.load());
}

TEST(TimerUserHandshake, ATickWaitingWhenTheObjectIsDestroyedDoesNotRun) {
  Gate firstStarted, releaseFirst;
  std::atomic<int> ticks{0};
  auto user = std::make_unique<HandUser>([&] {
    if (++ticks == 1) {
      firstStarted.Open();
      releaseFirst.Wait();
    }
  });
  HandUser* raw = user.get();
  std::thread running([raw] { raw->RunTick(); });
  ASSERT_TRUE(firstStarted.Wait());
  std::thread waiting([raw] { raw->RunTick(); });
  while (raw->TicksInside() != 2) std::this_thread::yield();  // waiting behind the running one
  std::thread destroyer([&] { user.reset(); });
  WaitUntilDead(raw);
  releaseFirst.Open();
  destroyer.join();
  running.join();
  waiting.join();
  EXPECT_EQ(ticks.load(), 1);
}

TEST(TimerUserHandshake, TicksOfOneObjectRunOneAfterAnother) {
  std::atomic<int> inside{0}, overlaps{0}, ticks{0};
  HandUser user([&] {
    if (inside.fetch_add(1) != 0) ++overlaps;
    for (int i = 0; i < 20; ++i) std::this_thread::yield();
    inside.fetch_sub(1);
    ++ticks;
  });
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 200; ++i) user.RunTick();
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(overlaps.load(), 0);
  EXPECT_EQ(ticks.load(), 800);
}

}  // namespace
