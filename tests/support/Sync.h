// Orders test threads without sleeping: a count one can wait on (a gate is a count to 1).
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <utility>

#include "timer/TimerUser.h"

class Counter {
 public:
  void Increment() {
    std::lock_guard lock(mutex_);
    ++count_;
    changed_.notify_all();
  }
  int Value() {
    std::lock_guard lock(mutex_);
    return count_;
  }
  // false when the count never reached n: a hang in a faulty build fails the test instead of
  // blocking ctest.
  bool WaitFor(int n) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return count_ >= n; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int count_ = 0;
};

// Runs `tick` then counts it. Its own timer is stopped (waiting for its tick in flight), then
// any other tick ended, before the members go.
class CountingUser : public CTimerUser {
 public:
  explicit CountingUser(std::function<void()> tick = {}) : tick_(std::move(tick)) {}
  ~CountingUser() override {
    Stop();
    EndTicks();
  }
  void Start(unsigned periodMs) { id = StartTimer(periodMs, this); }
  void Stop() { StopTimer(id.exchange(0)); }
  void OnTimer() override {
    if (tick_) tick_();
    ticks.Increment();
  }
  using CTimerUser::TicksInside;

  std::atomic<unsigned> id{0};
  Counter ticks;

 private:
  std::function<void()> tick_;
};
