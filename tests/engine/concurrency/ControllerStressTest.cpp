// Controllers polling every millisecond on the real timer service while other threads load
// profiles into them, deactivate and reactivate them, remove their elements and destroy and
// replace them, and while a tick on the timer thread does the same (as the hot-plug check
// does). Run under ThreadSanitizer: a poll must never meet elements being changed, nothing may
// deadlock, and at the end no key or mouse button may be left down.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <fstream>
#include <mutex>
#include <random>
#include <thread>

#include "../EngineFixture.h"
#include "app/timer/RealTimerService.h"
#include "support/StressJobs.h"
#include "support/Sync.h"

namespace {

constexpr int kControllers = 4;

// The controller table: one lock per slot, as the configuration keeps its table under a lock
// of its own. The polls never take these locks.
struct Stress {
  // One random change of one controller; `rng` belongs to the calling thread.
  void Mutate(std::mt19937& rng) {
    const int id = static_cast<int>(rng() % kControllers);
    std::lock_guard lock(locks[id]);
    auto& joystick = joysticks[id];
    const char* profile = profiles[rng() % 2].c_str();
    const bool interactive = rng() % 2 == 0;
    const auto change = rng() % 6;
    if (change <= 1) {  // replace, as automatic switching does
      auto fresh = std::make_unique<CJoystick>();
      if (fresh->Open(id) && fresh->LoadProfile(profile, interactive)) joystick = std::move(fresh);
    } else if (change == 5 || !joystick) {
      joystick.reset();
    } else if (change == 2) {
      joystick->LoadProfile(profile, interactive);
    } else if (change == 3) {
      joystick->SetActive(rng() % 2 == 0);
    } else {
      joystick->RemoveAllElements();
    }
    changes.fetch_add(1, std::memory_order_relaxed);
  }

  std::atomic<long> changes{0};
  std::array<std::string, 2> profiles;
  std::array<std::mutex, kControllers> locks;  // each guards its controller below
  std::array<std::unique_ptr<CJoystick>, kControllers> joysticks;
};

TEST(ControllerStress, PollsNeverMeetElementsBeingChanged) {
  seam::SimPlatform platform;
  seam::ScopedServices services(platform.services());
  RealTimerService timers;
  ScopedTimerService timerService(&timers);
  FillTestLibrary(2);
  auto& joysticks = platform.joysticks();
  for (int id = 0; id < kControllers; ++id)
    joysticks.Plug(id, seam::MakeJoystickCaps("ZR", 8, true));
  const auto polls = [&] {
    int reads = 0;
    for (int id = 0; id < kControllers; ++id) reads += joysticks.StateReads(id);
    return reads;  // plugged-in counts restart only when a controller is plugged in again
  };
  TempFolder folder;
  Stress stress;
  for (int i = 0; i < 2; ++i) {
    stress.profiles[i] = folder.File("busy" + std::to_string(i) + ".xml");
    std::ofstream(stress.profiles[i], std::ios::binary) << BusyProfile(i == 0 ? "A" : "B");
  }
  std::mt19937 tickRng(7);  // used on the timer thread only
  CountingUser hotPlug([&] { stress.Mutate(tickRng); });
  hotPlug.Start(20);
  const StressJob change{[&](std::mt19937& rng) { stress.Mutate(rng); }, 8000};
  RunStressJobs({PlayerJob(joysticks, kControllers), change, change}, std::chrono::seconds(2), 150,
                [&] { return stress.changes.load() >= 300 && polls() >= 2000; });
  hotPlug.Stop();
  EXPECT_GT(hotPlug.ticks.Value(), 0);

  // Deactivation alone ends everything the elements ran, even with the controls still held:
  // no key or button stays down and no action's timer runs on.
  for (auto& joystick : stress.joysticks) {
    if (joystick) joystick->SetActive(false);
  }
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 0u);
  ClearActions();
}

// Message boxes that stay open until the test closes them; every answer is Yes.
struct HeldMessages : seam::IMessages {
  seam::MessageAnswer Show(const std::string&, const std::string&, seam::MessageButtons,
                           seam::MessageIcon) override {
    opened.Increment();
    closed.WaitFor(1);
    return seam::MessageAnswer::Yes;
  }
  Counter opened, closed;
};

// A controller destroyed on one thread while another thread loads a profile into it (and waits
// for an answer to the identity question meanwhile) is destroyed only after the load ended.
TEST(LoadDestruction, DestructionWaitsForTheLoadInProgress) {
  seam::SimPlatform platform;
  HeldMessages messages;
  seam::Services services = platform.services();
  services.messages = &messages;
  seam::ScopedServices installed(services);
  RealTimerService timers;
  ScopedTimerService timerService(&timers);
  FillTestLibrary();
  platform.joysticks().Plug(0, seam::MakeJoystickCaps("", 4, false, 0, 65535, "Pad"));
  platform.joysticks().PressButton(0, 1);
  TempFolder folder;
  const std::string profile = folder.File("other.xml");
  std::ofstream(profile, std::ios::binary)
      << "<Joystick ID='5' name='Another Pad' Delay='1'><Buttons>" + Button(1, Acts(Act("A"))) +
             "</Buttons></Joystick>";

  auto joystick = std::make_unique<CJoystick>();
  ASSERT_TRUE(joystick->Open(0));
  CJoystick* raw = joystick.get();
  std::atomic<bool> loaded{false}, destroyed{false};
  std::thread loader([&] { loaded.store(raw->LoadProfile(profile.c_str(), true)); });
  ASSERT_TRUE(messages.opened.WaitFor(1));  // the load now waits for the answer
  std::thread destroyer([&] { joystick.reset(), destroyed = true; });
  WaitUntilDead(raw);  // the destructor has begun; one that does not wait runs ahead meanwhile
  for (int i = 0; i < 5000 && !destroyed.load(); ++i) std::this_thread::yield();
  EXPECT_FALSE(destroyed.load());
  messages.closed.Increment();
  loader.join();
  destroyer.join();
  EXPECT_TRUE(loaded.load());
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 0u);
  ClearActions();
}

}  // namespace
