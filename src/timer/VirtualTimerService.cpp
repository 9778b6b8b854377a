#include "timer/VirtualTimerService.h"

#include "timer/TimerUser.h"

VirtualTimerService::VirtualTimerService(std::uint64_t start) : now_(start) {}

VirtualTimerService::~VirtualTimerService() { UninstallTimerService(this); }

unsigned VirtualTimerService::Start(unsigned periodMs, CTimerUser* user) {
  if (periodMs == 0 || user == nullptr) return 0;
  std::lock_guard lock(mutex_);
  const unsigned id = lastId_ = NewId();
  timers_[id] = Timer{user, periodMs, now_ + periodMs, nextOrder_++};
  return id;
}

void VirtualTimerService::Stop(unsigned id) {
  if (id == 0) return;
  std::unique_lock lock(mutex_);
  timers_.erase(id);
  WaitWhileInFlight(lock, id, nullptr);
}

void VirtualTimerService::Withdraw(CTimerUser* user) {
  if (user == nullptr) return;
  std::unique_lock lock(mutex_);
  std::erase_if(timers_, [user](const auto& entry) { return entry.second.user == user; });
  WaitWhileInFlight(lock, 0, user);
}

std::uint32_t VirtualTimerService::TickCount() {
  std::lock_guard lock(mutex_);
  return static_cast<std::uint32_t>(now_);
}

std::uint64_t VirtualTimerService::Now() const {
  std::lock_guard lock(mutex_);
  return now_;
}

void VirtualTimerService::MoveTo(std::uint64_t t) { Deliver(t, false); }

void VirtualTimerService::AdvanceTo(std::uint64_t t) { Deliver(t, true); }

std::size_t VirtualTimerService::RunningTimers() const {
  std::lock_guard lock(mutex_);
  return timers_.size();
}

void VirtualTimerService::Deliver(std::uint64_t limit, bool inclusive) {
  std::unique_lock lock(mutex_);
  if (limit < now_) return;                            // time never runs backwards
  if (deliveringThread_ != std::thread::id()) return;  // inside a tick: time stands still
  deliveringThread_ = std::this_thread::get_id();
  for (;;) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      const Timer& t = it->second;
      if (next == timers_.end() || t.due < next->second.due ||
          (t.due == next->second.due && t.order < next->second.order)) {
        next = it;
      }
    }
    if (next == timers_.end()) break;
    Timer& timer = next->second;
    if (timer.due > limit || (!inclusive && timer.due == limit)) break;
    now_ = timer.due;
    timer.due += timer.period;
    CTimerUser* user = timer.user;
    inFlightId_ = next->first;
    inFlightUser_ = user;
    lock.unlock();
    if (user->IsAlive()) user->RunTick();
    lock.lock();
    inFlightId_ = 0;
    inFlightUser_ = nullptr;
    tickEnded_.notify_all();
  }
  now_ = limit;
  deliveringThread_ = std::thread::id();
}

unsigned VirtualTimerService::NewId() {
  unsigned id = lastId_;
  do {
    ++id;
  } while (id == 0 || timers_.contains(id));
  return id;
}

void VirtualTimerService::WaitWhileInFlight(std::unique_lock<std::mutex>& lock, unsigned id,
                                            CTimerUser* user) {
  // The thread delivering the tick is the tick itself: the stop takes effect at once.
  if (std::this_thread::get_id() == deliveringThread_) return;
  tickEnded_.wait(lock, [&] {
    return !((id != 0 && inFlightId_ == id) || (user != nullptr && inFlightUser_ == user));
  });
}
