// Timer service on virtual time, for tests and tandrel-cli: nothing ticks until the owner
// advances time, and then every due tick is delivered on the caller's thread, in time order.
// A periodic timer started at S with period P ticks at S+P, S+2P, ...; ticks due at the same
// moment are delivered in the order their timers were started; a timer started or stopped
// inside a tick takes effect at once. It is also the clock: TickCount() reads virtual time.
// One thread at a time moves time, never from inside a tick (such a move is ignored); any
// thread may start and stop timers meanwhile. Time never runs backwards.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

#include "platform/Platform.h"
#include "timer/TimerService.h"

class VirtualTimerService : public ITimerService, public seam::IClock {
 public:
  explicit VirtualTimerService(std::uint64_t start = 0);
  // Uninstalls the service if it is in force.
  ~VirtualTimerService() override;

  unsigned Start(unsigned periodMs, CTimerUser* user) override;
  void Stop(unsigned id) override;
  std::uint32_t TickCount() override;

  std::uint64_t Now() const;
  // Delivers every tick due before t, then sets the time to t without delivering the ticks
  // due at t (so that an outside event at t comes before them).
  void MoveTo(std::uint64_t t);
  // Delivers every tick due up to and including t; the time is then t.
  void AdvanceTo(std::uint64_t t);
  void Advance(std::uint64_t ms) { AdvanceTo(Now() + ms); }
  std::size_t RunningTimers() const;

  // Forgets every timer of a user that is being destroyed.
  void Withdraw(CTimerUser* user) override;

 private:
  struct Timer {
    CTimerUser* user = nullptr;
    unsigned period = 0;
    std::uint64_t due = 0;
    std::uint64_t order = 0;  // start order: breaks ties between timers due at once
  };

  // Delivers, in time order, every tick due before `limit` (or at it, when inclusive).
  void Deliver(std::uint64_t limit, bool inclusive);
  // The following helpers need mutex_ held.
  unsigned NewId();
  void WaitWhileInFlight(std::unique_lock<std::mutex>& lock, unsigned id, CTimerUser* user);

  // mutex_ guards every member below. It is never held while a tick runs: ticks start and
  // stop timers, and other threads may do so while time moves.
  mutable std::mutex mutex_;
  std::condition_variable tickEnded_;  // stoppers on other threads waiting for the tick in flight
  std::map<unsigned, Timer> timers_;
  std::uint64_t now_;
  unsigned lastId_ = 0;
  std::uint64_t nextOrder_ = 0;
  unsigned inFlightId_ = 0;
  CTimerUser* inFlightUser_ = nullptr;
  std::thread::id deliveringThread_;  // the thread moving time, while it delivers ticks
};
