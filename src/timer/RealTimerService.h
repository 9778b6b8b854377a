// The timer service of the running program: one dedicated thread on the steady clock delivers
// the ticks of every timer, one after another, so ticks of different users never overlap.
// A timer started at S with period P is due at S+P, S+2P, ...; a late tick skips the periods
// already past (no catch-up burst). Times are kept in the clock's own units, so the only limit
// on precision is how promptly the thread wakes.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "timer/TimerService.h"

class RealTimerService : public ITimerService {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts the timer thread. onThreadStart runs on it before the first tick and onThreadEnd
  // after the last: the Windows program raises the system timer resolution there.
  explicit RealTimerService(std::function<void()> onThreadStart = {},
                            std::function<void()> onThreadEnd = {});
  // Stops and joins the thread (after a tick in flight); uninstalls the service if in force.
  ~RealTimerService() override;
  RealTimerService(const RealTimerService&) = delete;
  RealTimerService& operator=(const RealTimerService&) = delete;

  // 0 for a period of 0 or no user.
  unsigned Start(unsigned periodMs, CTimerUser* user) override;
  // Inside a tick (on the timer thread) at once; from another thread, returns after a tick of
  // that timer in flight has ended.
  void Stop(unsigned id) override;
  void Withdraw(CTimerUser* user) override;

  std::size_t RunningTimers() const;
  // The time the tick in flight was due; meaningful only inside a tick (it measures lateness).
  Clock::time_point CurrentTickDue() const { return currentDue_; }

 private:
  struct Timer {
    unsigned id = 0;  // 0: a free slot, reused by the next Start
    CTimerUser* user = nullptr;
    Clock::duration period{};
    Clock::time_point due{};
    std::uint64_t order = 0;  // start order: breaks ties between timers due at once
  };

  void Run();
  // The following helpers need mutex_ held.
  Timer* Earliest();
  unsigned NewId() const;
  bool OnTimerThread() const { return std::this_thread::get_id() == threadId_; }
  void WaitWhileInFlight(std::unique_lock<std::mutex>& lock, unsigned id, CTimerUser* user);

  std::function<void()> onThreadStart_;
  std::function<void()> onThreadEnd_;

  // mutex_ guards every member below it. The timer thread never holds it while a tick runs,
  // so ticks may start and stop timers.
  mutable std::mutex mutex_;
  std::condition_variable wake_;       // the timer thread: a timer was started, or quit
  std::condition_variable tickEnded_;  // stoppers waiting for the tick in flight
  std::vector<Timer> timers_;          // slots are reused: steady ticking allocates nothing
  unsigned lastId_ = 0;
  std::uint64_t nextOrder_ = 0;
  unsigned inFlightId_ = 0;
  CTimerUser* inFlightUser_ = nullptr;
  int waitingStoppers_ = 0;
  bool quit_ = false;
  std::thread::id threadId_;

  // Written and read only by the timer thread.
  Clock::time_point currentDue_{};

  std::thread thread_;  // last: starts once everything above exists
};
