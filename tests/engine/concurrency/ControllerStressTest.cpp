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
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "actions/ActionLibrary.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"
#include "app/timer/RealTimerService.h"
#include "engine/Joystick.h"
#include "platform/sim/SimPlatform.h"
#include "support/TempFolder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kControllers = 4;
// The run lasts at least kMinRunTime and until enough work was done, at most kMaxRunTime.
constexpr auto kMinRunTime = std::chrono::milliseconds(2000);
constexpr auto kMaxRunTime = std::chrono::seconds(30);
constexpr long kMinChanges = 300;
constexpr int kMinPolls = 2000;

// A profile that gives every element something that keeps running: Hold keys that repeat,
// toggles, mouse buttons, relative pointer movement, the wheel, a combination, and shift
// buttons that switch all of them.
std::string BusyProfile(int variant) {
  const char* key = variant == 0 ? "A" : "B";
  std::string text =
      "<Joystick Delay='1'><ShiftButtons><ShiftButton ButtonNumber='8'/>"
      "</ShiftButtons><Axes>";
  for (const char* axis : {"X Axis", "Y Axis", "Z Axis", "R Axis"}) {
    text += std::string("<Axis name='") + axis +
            "' type='Horizontal' Sensitivity='10'>"
            "<Direction Name='Left'><Actions><Action Number='0' Theme='Mouse' Name='Left'/>"
            "<Action Number='0' Theme='Mouse' Name='Wheel' percent='60'/>"
            "<Action Number='1' Theme='Keys' Name='T'/></Actions></Direction>"
            "<Direction Name='Right'><Actions><Action Number='0' Theme='Mouse' Name='Right'/>"
            "<Action Number='1' Theme='Keys' Name='" +
            key + "'/></Actions></Direction></Axis>";
  }
  text += "</Axes><Buttons>";
  const char* actions[] = {"A", "B", "T", "Click", "Chord", "R", "A"};
  for (int n = 1; n <= 7; ++n) {
    text += "<Button number='" + std::to_string(n) + "'><Actions><Action number='0' Theme='" +
            (n == 4 ? "Mouse" : "Keys") + "' name='" + actions[n - 1] +
            "'/><Action number='1' Theme='Keys' name='" + key +
            "'/></Actions><ReleaseActions><Action number='0' Theme='Keys' name='B'/>"
            "</ReleaseActions></Button>";
  }
  text += "</Buttons><POV>";
  for (const char* direction : {"forward", "right", "backward", "left"}) {
    text += std::string("<Direction name='") + direction +
            "'><Actions><Action number='0' Theme='Keys' name='T'/>"
            "<Action number='1' Theme='Keys' name='Missing'/></Actions></Direction>";
  }
  return text + "</POV></Joystick>";
}

void FillLibrary() {
  ClearActions();
  auto add = [](const char* theme, std::unique_ptr<CAction> action) {
    action->SetTheme(theme);
    AddAction(std::move(action));
  };
  add("Keys", std::make_unique<CVKAction>(0x41, PushType::Hold, "A"));
  add("Keys", std::make_unique<CVKAction>(0x42, PushType::Hold, "B"));
  add("Keys", std::make_unique<CVKAction>(0x54, PushType::Toggle, "T"));
  add("Keys", std::make_unique<CVKAction>(0x52, PushType::Repeat, "R"));
  add("Mouse", std::make_unique<CVKAction>(0x01, PushType::Hold, "Click"));
  add("Mouse", std::make_unique<CMouseAction>(PushType::Hold, false, 2, 70, 20, 90, "Right"));
  add("Mouse", std::make_unique<CMouseAction>(PushType::Toggle, false, 2, 70, 20, 270, "Left"));
  add("Mouse",
      std::make_unique<CMouseWheelAction>(PushType::Hold, 2, CMouseWheelAction::kUp, 1, "Wheel"));
  CVKAction ctrl(0x11, PushType::Hold, "Ctrl");
  CVKAction v(0x56, PushType::Toggle, "V");
  auto chord = std::make_unique<CComplexAction>(
      PushType::Hold, std::vector<const CAction*>{&ctrl, &v}, "Chord", "Keys", false);
  add("Keys", std::move(chord));
}

// The controller table of the test: one lock per slot, as the configuration keeps its table
// under a lock of its own. The polls never take these locks.
struct Slot {
  std::mutex lock;
  std::unique_ptr<CJoystick> joystick;
};

class Stress {
 public:
  Stress() {
    for (int i = 0; i < 2; ++i) {
      profiles_[i] = folder_.File("busy" + std::to_string(i) + ".xml");
      std::ofstream(profiles_[i], std::ios::binary) << BusyProfile(i);
    }
  }

  // One random change of one controller; `rng` belongs to the calling thread.
  void Mutate(std::mt19937& rng) {
    Slot& slot = slots_[rng() % kControllers];
    const int id = static_cast<int>(&slot - slots_.data());
    std::lock_guard lock(slot.lock);
    const std::string& profile = profiles_[rng() % 2];
    const bool interactive = rng() % 2 == 0;
    switch (rng() % 6) {
      case 0:  // replace, as automatic switching does
      case 1: {
        auto fresh = std::make_unique<CJoystick>();
        if (fresh->Open(id) && fresh->LoadProfile(profile.c_str(), interactive)) {
          slot.joystick = std::move(fresh);
        }
        break;
      }
      case 2:
        if (slot.joystick) slot.joystick->LoadProfile(profile.c_str(), interactive);
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
    changes_.fetch_add(1, std::memory_order_relaxed);
  }

  void DeactivateAll() {
    for (Slot& slot : slots_) {
      std::lock_guard lock(slot.lock);
      if (slot.joystick) slot.joystick->SetActive(false);
    }
  }

  void DestroyAll() {
    for (Slot& slot : slots_) {
      std::lock_guard lock(slot.lock);
      slot.joystick.reset();
    }
  }

  long Changes() const { return changes_.load(); }

 private:
  TempFolder folder_;
  std::array<std::string, 2> profiles_;
  std::array<Slot, kControllers> slots_;
  std::atomic<long> changes_{0};
};

// A tick that changes controllers from the timer thread, as the hot-plug check does.
class HotPlugTick : public CTimerUser {
 public:
  explicit HotPlugTick(Stress& stress) : stress_(stress), rng_(7) {}
  ~HotPlugTick() override {
    StopTimer(timer_);
    EndTicks();
  }
  void Begin() { timer_ = StartTimer(20, this); }
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
  std::mt19937 rng_;  // used on the timer thread only
  unsigned timer_ = 0;
};

TEST(ControllerStress, PollsNeverMeetElementsBeingChanged) {
  seam::SimPlatform platform;
  seam::ScopedServices services(platform.services());
  RealTimerService timers;
  ScopedTimerService timerService(&timers);
  FillLibrary();
  for (int id = 0; id < kControllers; ++id) {
    platform.joysticks().Plug(id, seam::MakeJoystickCaps("ZR", 8, true));
  }

  {
    Stress stress;
    HotPlugTick hotPlug(stress);
    std::atomic<bool> stop{false};

    // The player: buttons, hat and axes change all the time.
    std::thread player([&] {
      std::mt19937 rng(1);
      while (!stop.load()) {
        const int id = static_cast<int>(rng() % kControllers);
        platform.joysticks().SetButtons(id, rng() & 0xFF);
        platform.joysticks().SetPov(id, rng() % 5 == 0 ? seam::kPovCentered : rng() % 36000);
        for (char axis : {'X', 'Y', 'Z', 'R'})
          platform.joysticks().SetAxis(id, axis, rng() % 65536);
        std::this_thread::yield();
      }
    });
    std::vector<std::thread> mutators;
    for (int t = 0; t < 2; ++t) {
      mutators.emplace_back([&, t] {
        std::mt19937 rng(100 + t);
        while (!stop.load()) {
          stress.Mutate(rng);
          std::this_thread::sleep_for(std::chrono::microseconds(rng() % 8000));
        }
      });
    }
    hotPlug.Begin();

    const auto polls = [&] {
      int reads = 0;
      for (int id = 0; id < kControllers; ++id) reads += platform.joysticks().StateReads(id);
      return reads;
    };
    const auto start = Clock::now();
    for (;;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      const auto elapsed = Clock::now() - start;
      if (elapsed > kMaxRunTime) break;
      if (elapsed > kMinRunTime && stress.Changes() >= kMinChanges && polls() >= kMinPolls) break;
    }
    stop.store(true);
    for (auto& thread : mutators) thread.join();
    player.join();
    hotPlug.End();

    // Deactivation alone ends everything the elements ran, even with the controls still held:
    // no key or button stays down and no action's timer runs on.
    stress.DeactivateAll();
    EXPECT_TRUE(platform.input().AllReleased());
    EXPECT_EQ(timers.RunningTimers(), 0u);
    stress.DestroyAll();

    // Plugged-in counts restart when a controller is plugged in again; none was.
    const int reads = polls();
    EXPECT_GE(stress.Changes(), kMinChanges);
    EXPECT_GT(hotPlug.ticks.load(), 0);
    EXPECT_GE(reads, kMinPolls);
    std::cout << "changes " << stress.Changes() << ", timer-thread changes " << hotPlug.ticks
              << ", polls " << reads << ", input events " << platform.input().Count()
              << ", messages " << platform.messages().Count() << "\n";
  }

  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 0u);
  ClearActions();
}

}  // namespace
