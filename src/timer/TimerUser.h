// Base of every periodically ticked object, and the free functions that start and stop its
// periodic timers on the timer service in force.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

class CTimerUser {
 public:
  CTimerUser() = default;
  // Marks the object dead, so that no tick starts any more (a tick that was waiting returns
  // without calling OnTimer), and waits for a tick in progress. Does not stop the timers a
  // derived class keeps: it stops them before its members go away. Finally withdraws the
  // object from the timer service in force, so that a timer nobody stopped never reaches
  // freed memory. Deleting the object from inside its own tick is not allowed.
  virtual ~CTimerUser();
  CTimerUser(const CTimerUser&) = delete;
  CTimerUser& operator=(const CTimerUser&) = delete;

  // One tick; runs on the timer thread.
  virtual void OnTimer() = 0;

  bool IsAlive() const;
  // One guarded tick: waits for a tick of this object in progress, then calls OnTimer unless
  // the object is dead by then.
  void RunTick();

 protected:
  // The destructor's handshake, for derived classes whose timer may still run when they are
  // destroyed (a timer they never stop): called first in their destructor, it ends the ticks
  // before their members go away, while OnTimer is still theirs. Idempotent. Never call it
  // from the object's own tick.
  void EndTicks();
  // Ticks inside RunTick: the running one and those waiting behind it.
  int TicksInside();

 private:
  // tickLock_ stands for the tick event: it guards ticking_, ticksInside_ and the writes of
  // destroyed_. A tick marks itself running under the lock and runs OnTimer outside it; the
  // destructor marks the object dead first, so no tick starts after it, then waits until the
  // running tick and those waiting behind it have left.
  std::mutex tickLock_;
  std::condition_variable tickEnded_;
  bool ticking_ = false;
  int ticksInside_ = 0;  // in RunTick: running or waiting for the running one
  // Read without the lock by IsAlive (the service's quick check before a tick).
  std::atomic<bool> destroyed_ = false;
};

// Starts a periodic timer that calls user->RunTick() every periodMs milliseconds on the timer
// thread. Returns its identifier, 0 when refused (no service installed, a period of 0).
unsigned StartTimer(unsigned periodMs, CTimerUser* user);
// Stops a timer. 0 and unknown identifiers are ignored. Called from another thread than the
// timer thread, it returns only after a tick of that timer in flight has ended; called inside
// a tick, it takes effect at once.
void StopTimer(unsigned id);
