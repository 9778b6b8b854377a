// A timer user that writes "name@time" into a shared log at every tick, for tests on virtual
// time, and can run an extra action inside its tick.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/timer/TimerUser.h"
#include "app/timer/VirtualTimerService.h"

class RecordingUser : public CTimerUser {
 public:
  RecordingUser(VirtualTimerService& clock, std::string name, std::vector<std::string>& log)
      : clock_(clock), name_(std::move(name)), log_(log) {}
  ~RecordingUser() override { StopTimer(id); }

  void Start(unsigned periodMs) { id = StartTimer(periodMs, this); }
  void Stop() {
    StopTimer(id);
    id = 0;
  }

  void OnTimer() override {
    log_.push_back(name_ + "@" + std::to_string(clock_.Now()));
    if (onTick) onTick();
  }

  unsigned id = 0;
  std::function<void()> onTick;

 private:
  VirtualTimerService& clock_;
  std::string name_;
  std::vector<std::string>& log_;
};
