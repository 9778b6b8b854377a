// Controllers polling every millisecond on the real timer service while other threads load
// profiles into them, deactivate and reactivate them, remove their elements and destroy and
// replace them, and while a tick on the timer thread does the same (as the hot-plug check
// does). Run under ThreadSanitizer: a poll must never meet elements being changed, nothing may
// deadlock, and at the end no key or mouse button may be left down.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iostream>
#include <mutex>
#include <random>
#include <thread>

#include "../EngineFixture.h"
#include "app/timer/RealTimerService.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kControllers = 4;
// The run lasts at least kMinRunTime and until enough work was done, at most kMaxRunTime.
constexpr auto kMinRunTime = std::chrono::milliseconds(2000);
constexpr auto kMaxRunTime = std::chrono::seconds(30);
constexpr long kMinChanges = 300;
constexpr int kMinPolls = 2000;

// The controller table of the test: one lock per slot (`lock` guards `joystick`), as the
// configuration keeps its table under a lock of its own. The polls never take these locks.
class Stress {
 public:
  Stress() {
    for (int i = 0; i < 2; ++i) {
      profiles_[i] = folder_.File("busy" + std::to_string(i) + ".xml");
      std::ofstream(profiles_[i], std::ios::binary) << BusyProfile(i == 0 ? "A" : "B");
    }
  }

  // One random change of one controller; `rng` belongs to the calling thread.
  void Mutate(std::mt19937& rng) {
    const int id = static_cast<int>(rng() % kControllers);
    Slot& slot = slots_[id];
    std::lock_guard lock(slot.lock);
    const char* profile = profiles_[rng() % 2].c_str();
    const bool interactive = rng() % 2 == 0;
    switch (rng() % 6) {
      case 0:  // replace, as automatic switching does
      case 1: {
        auto fresh = std::make_unique<CJoystick>();
        if (fresh->Open(id) && fresh->LoadProfile(profile, interactive)) {
          slot.joystick = std::move(fresh);
        }
        break;
      }
      case 2:
        if (slot.joystick) slot.joystick->LoadProfile(profile, interactive);
        break;
      case 3:
        if (slot.joystick) slot.joystick->SetActive(rng() % 2 == 0);
        break;
      case 4:
        if (slot.joystick) slot.joystick->RemoveAllElements();
        break;
      case 5:
        slot.joystick.reset();
        break;
    }
    changes.fetch_add(1, std::memory_order_relaxed);
  }

  void ForEach(void (*change)(std::unique_ptr<CJoystick>&)) {
    for (Slot& slot : slots_) {
      std::lock_guard lock(slot.lock);
      change(slot.joystick);
    }
  }

  std::atomic<long> changes{0};

 private:
  struct Slot {
    std::mutex lock;
    std::unique_ptr<CJoystick> joystick;
  };
  TempFolder folder_;
  std::array<std::string, 2> profiles_;
  std::array<Slot, kControllers> slots_;
};

// A tick that changes controllers from the timer thread, as the hot-plug check does.
class HotPlugTick : public CTimerUser {
 public:
  explicit HotPlugTick(Stress& stress) : stress_(stress) { timer_ = StartTimer(20, this); }
  ~HotPlugTick() override {
    End();
    EndTicks();
  }
  void End() {
    StopTimer(timer_);
    timer_ = 0;
  }
  void OnTimer() override {
    stress_.Mutate(rng_);
    ticks.fetch_add(1, std::memory_order_relaxed);
  }
  std::atomic<long> ticks{0};

 private:
  Stress& stress_;
  std::mt19937 rng_{7};  // used on the timer thread only
  unsigned timer_ = 0;
};

TEST(ControllerStress, PollsNeverMeetElementsBeingChanged) {
  seam::SimPlatform platform;
  seam::ScopedServices services(platform.services());
  RealTimerService timers;
  ScopedTimerService timerService(&timers);
  FillTestLibrary(2);
  auto& joysticks = platform.joysticks();
  for (int id = 0; id < kControllers; ++id) {
    joysticks.Plug(id, seam::MakeJoystickCaps("ZR", 8, true));
  }
  const auto polls = [&] {
    int reads = 0;
    for (int id = 0; id < kControllers; ++id) reads += joysticks.StateReads(id);
    return reads;  // plugged-in counts restart only when a controller is plugged in again
  };

  {
    Stress stress;
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    threads.emplace_back([&] {  // the player: buttons, hat and axes change all the time
      std::mt19937 rng(1);
      while (!stop.load()) {
        const int id = static_cast<int>(rng() % kControllers);
        joysticks.SetButtons(id, rng() & 0xFF);
        joysticks.SetPov(id, rng() % 5 == 0 ? seam::kPovCentered : rng() % 36000);
        for (char axis : {'X', 'Y', 'Z', 'R'}) joysticks.SetAxis(id, axis, rng() % 65536);
        std::this_thread::yield();
      }
    });
    for (int t = 0; t < 2; ++t) {
      threads.emplace_back([&, t] {
        std::mt19937 rng(100 + t);
        while (!stop.load()) {
          stress.Mutate(rng);
          std::this_thread::sleep_for(std::chrono::microseconds(rng() % 8000));
        }
      });
    }
    HotPlugTick hotPlug(stress);

    const auto start = Clock::now();
    for (auto elapsed = Clock::duration(); elapsed < kMaxRunTime; elapsed = Clock::now() - start) {
      if (elapsed > kMinRunTime && stress.changes.load() >= kMinChanges && polls() >= kMinPolls)
        break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    stop.store(true);
    for (auto& thread : threads) thread.join();
    hotPlug.End();

    // Deactivation alone ends everything the elements ran, even with the controls still held:
    // no key or button stays down and no action's timer runs on.
    stress.ForEach([](auto& joystick) {
      if (joystick) joystick->SetActive(false);
    });
    EXPECT_TRUE(platform.input().AllReleased());
    EXPECT_EQ(timers.RunningTimers(), 0u);
    stress.ForEach([](auto& joystick) { joystick.reset(); });

    EXPECT_GE(stress.changes.load(), kMinChanges);
    EXPECT_GT(hotPlug.ticks.load(), 0);
    EXPECT_GE(polls(), kMinPolls);
    std::cout << "changes " << stress.changes << ", timer-thread changes " << hotPlug.ticks
              << ", polls " << polls() << ", input events " << platform.input().Count()
              << ", messages " << platform.messages().Count() << "\n";
  }
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 0u);
  ClearActions();
}

}  // namespace
