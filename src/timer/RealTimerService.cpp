#include "timer/RealTimerService.h"

#include <utility>

#include "timer/TimerSchedule.h"
#include "timer/TimerUser.h"

namespace {
constexpr std::size_t kInitialSlots = 64;
}

RealTimerService::RealTimerService(std::function<void()> onThreadStart,
                                   std::function<void()> onThreadEnd)
    : onThreadStart_(std::move(onThreadStart)), onThreadEnd_(std::move(onThreadEnd)) {
  timers_.reserve(kInitialSlots);
  std::lock_guard lock(mutex_);
  thread_ = std::thread([this] { Run(); });
  threadId_ = thread_.get_id();
}

RealTimerService::~RealTimerService() {
  UninstallTimerService(this);
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    wake_.notify_all();
  }
  thread_.join();
}

unsigned RealTimerService::Start(unsigned periodMs, CTimerUser* user) {
  if (periodMs == 0 || user == nullptr) return 0;
  const Clock::time_point now = Clock::now();
  std::lock_guard lock(mutex_);
  Timer* slot = nullptr;
  for (Timer& t : timers_) {
    if (t.id == 0) {
      slot = &t;
      break;
    }
  }
  if (slot == nullptr) slot = &timers_.emplace_back();
  slot->id = lastId_ = NewId();
  slot->user = user;
  slot->period = std::chrono::milliseconds(periodMs);
  slot->due = now + slot->period;
  slot->order = nextOrder_++;
  wake_.notify_one();
  return slot->id;
}

void RealTimerService::Stop(unsigned id) {
  if (id == 0) return;
  std::unique_lock lock(mutex_);
  for (Timer& t : timers_) {
    if (t.id == id) t = Timer{};
  }
  WaitWhileInFlight(lock, id, nullptr);
}

void RealTimerService::Withdraw(CTimerUser* user) {
  if (user == nullptr) return;
  std::unique_lock lock(mutex_);
  for (Timer& t : timers_) {
    if (t.id != 0 && t.user == user) t = Timer{};
  }
  WaitWhileInFlight(lock, 0, user);
}

std::size_t RealTimerService::RunningTimers() const {
  std::lock_guard lock(mutex_);
  std::size_t n = 0;
  for (const Timer& t : timers_) n += t.id != 0 ? 1 : 0;
  return n;
}

void RealTimerService::WaitWhileInFlight(std::unique_lock<std::mutex>& lock, unsigned id,
                                         CTimerUser* user) {
  // On the timer thread the tick in flight is the caller's own: waiting would never end.
  if (OnTimerThread()) return;
  auto inFlight = [&] {
    return (id != 0 && inFlightId_ == id) || (user != nullptr && inFlightUser_ == user);
  };
  if (!inFlight()) return;
  ++waitingStoppers_;
  tickEnded_.wait(lock, [&] { return !inFlight(); });
  --waitingStoppers_;
}

RealTimerService::Timer* RealTimerService::Earliest() {
  Timer* best = nullptr;
  for (Timer& t : timers_) {
    if (t.id == 0) continue;
    if (best == nullptr || t.due < best->due || (t.due == best->due && t.order < best->order)) {
      best = &t;
    }
  }
  return best;
}

unsigned RealTimerService::NewId() const {
  unsigned id = lastId_;
  for (;;) {
    ++id;
    if (id == 0) continue;  // wrapped: 0 means "no timer"
    bool inUse = false;
    for (const Timer& t : timers_) inUse = inUse || t.id == id;
    if (!inUse) return id;
  }
}

void RealTimerService::Run() {
  if (onThreadStart_) onThreadStart_();
  std::unique_lock lock(mutex_);
  while (!quit_) {
    Timer* next = Earliest();
    if (next == nullptr) {
      wake_.wait(lock);
      continue;
    }
    const Clock::time_point now = Clock::now();
    if (next->due > now) {
      // A copy: the wait releases the lock, and a Start may move the slots meanwhile.
      const Clock::time_point due = next->due;
      wake_.wait_until(lock, due);
      continue;
    }
    CTimerUser* user = next->user;
    inFlightId_ = next->id;
    inFlightUser_ = user;
    currentDue_ = next->due;
    next->due = timer_schedule::NextDue(next->due, next->period, now);
    lock.unlock();
    if (user->IsAlive()) user->RunTick();
    lock.lock();
    inFlightId_ = 0;
    inFlightUser_ = nullptr;
    if (waitingStoppers_ > 0) tickEnded_.notify_all();
  }
  lock.unlock();
  if (onThreadEnd_) onThreadEnd_();
}
