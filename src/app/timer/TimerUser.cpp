#include "app/timer/TimerUser.h"

#include "app/timer/TimerService.h"

CTimerUser::~CTimerUser() { EndTicks(); }

bool CTimerUser::IsAlive() const { return !destroyed_.load(std::memory_order_acquire); }

void CTimerUser::RunTick() {
  {
    std::unique_lock lock(tickLock_);
    tickEnded_.wait(lock, [this] { return !ticking_; });
    if (destroyed_.load(std::memory_order_relaxed)) return;
    ticking_ = true;
  }
  OnTimer();
  // Notified under the lock: once it is released, the destructor may free the object.
  std::lock_guard lock(tickLock_);
  ticking_ = false;
  tickEnded_.notify_all();
}

void CTimerUser::EndTicks() {
  {
    std::unique_lock lock(tickLock_);
    destroyed_.store(true, std::memory_order_release);
    tickEnded_.wait(lock, [this] { return !ticking_; });
  }
  if (ITimerService* service = CurrentTimerService()) service->Withdraw(this);
}

unsigned StartTimer(unsigned periodMs, CTimerUser* user) {
  ITimerService* service = CurrentTimerService();
  return service != nullptr ? service->Start(periodMs, user) : 0;
}

void StopTimer(unsigned id) {
  if (id == 0) return;
  if (ITimerService* service = CurrentTimerService()) service->Stop(id);
}
