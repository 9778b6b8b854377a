// Base of every periodically ticked object, and the free functions that start and stop its
// periodic timers on the timer service in force.
#pragma once

#include <mutex>

class CTimerUser {
 public:
  CTimerUser() = default;
  // Waits for a tick in progress, then marks the object dead: a tick that was waiting
  // returns without calling OnTimer. Does not stop any timer; derived classes that own a
  // running timer stop it before their members go away.
  virtual ~CTimerUser();
  CTimerUser(const CTimerUser&) = delete;
  CTimerUser& operator=(const CTimerUser&) = delete;

  // One tick; runs on the timer thread.
  virtual void OnTimer() = 0;

  bool IsAlive() const;
  // One guarded tick: holds the tick lock around OnTimer unless the object is dead.
  void RunTick();

 private:
  // tickLock_ is held while a tick runs and taken by the destructor; it guards destroyed_
  // against the destructor.
  std::mutex tickLock_;
  bool destroyed_ = false;
};

// Starts a periodic timer that calls user->RunTick() every periodMs milliseconds on the timer
// thread. Returns its identifier, 0 when refused.
unsigned StartTimer(unsigned periodMs, CTimerUser* user);
// Stops a timer. 0 and unknown identifiers are ignored. Called from another thread than the
// timer thread, it returns only after a tick of that timer in flight has ended; called inside
// a tick, it takes effect at once.
void StopTimer(unsigned id);
