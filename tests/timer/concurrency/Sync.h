// Orders test threads without sleeping: a one-shot gate and a counter one can wait on.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// A hang in a faulty build ends the wait and fails the test instead of blocking ctest.
inline constexpr std::chrono::seconds kHangGuard{20};

class Gate {
 public:
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  // false when the gate stayed shut (a hang in the code under test).
  bool Wait() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kHangGuard, [this] { return open_; });
  }
  bool IsOpen() {
    std::lock_guard lock(mutex_);
    return open_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
};

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
  // false when the count never reached n.
  bool WaitFor(int n) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kHangGuard, [&] { return count_ >= n; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int count_ = 0;
};
