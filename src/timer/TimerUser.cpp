#include "timer/TimerUser.h"

#include "timer/TimerService.h"

CTimerUser::~CTimerUser() { EndTicks(); }

bool CTimerUser::IsAlive() const { return !destroyed_.load(std::memory_order_acquire); }

void CTimerUser::RunTick() {
  {
    std::unique_lock lock(tickLock_);
    ++ticksInside_;
    tickEnded_.wait(lock, [this] { return !ticking_; });
    if (destroyed_.load(std::memory_order_relaxed)) {
      --ticksInside_;
      tickEnded_.notify_all();
      return;
    }
    ticking_ = true;
  }
  OnTimer();
  // Notified under the lock: once it is released, the destructor may free the object.
  std::lock_guard lock(tickLock_);
  ticking_ = false;
  --ticksInside_;
  tickEnded_.notify_all();
}

void CTimerUser::EndTicks() {
  {
    std::unique_lock lock(tickLock_);
    destroyed_.store(true, std::memory_order_release);
    // Both the running tick and those waiting behind it must have left before the object
    // goes; the waiting ones leave without calling OnTimer.
    tickEnded_.wait(lock, [this] { return ticksInside_ == 0; });
  }
  if (ITimerService* service = CurrentTimerService()) service->Withdraw(this);
}

int CTimerUser::TicksInside() {
  std::lock_guard lock(tickLock_);
  return ticksInside_;
}

unsigned StartTimer(unsigned periodMs, CTimerUser* user) {
  ITimerService* service = CurrentTimerService();
  return service != nullptr ? service->Start(periodMs, user) : 0;
}

void StopTimer(unsigned id) {
  if (id == 0) return;
  if (ITimerService* service = CurrentTimerService()) service->Stop(id);
}
