// The configuration on the real timer service with controllers polling every millisecond and
// holding keys, while other threads pull controllers out and plug them in, switch windows,
// reload, apply the Joysticks tab, read what the configuration window reads, and run extra
// hot-plug checks besides the timer's own. Run under ThreadSanitizer: no race, no deadlock,
// and once the configuration is gone no key or mouse button is left down and no timer runs.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/timer/RealTimerService.h"
#include "config/TandrelConfiguration.h"
#include "engine/EngineFixture.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kIds = 6;  // 0..3 configured, 4 without an entry, 5 configured
// At least two hot-plug ticks of the timer itself, and enough work of every kind.
constexpr auto kMinRunTime = std::chrono::milliseconds(2500);
constexpr auto kMaxRunTime = std::chrono::seconds(40);
constexpr long kMinOperations = 100;

std::string Entry(int id, const std::string& extra) {
  return "<Joystick ID='" + std::to_string(id) + "' fileName='Busy.xml'" + extra +
         "><Profile window='Game' fileName='Game.xml'/></Joystick>";
}

void Nap(std::mt19937& rng, int maxMicroseconds) {
  std::this_thread::sleep_for(std::chrono::microseconds(rng() % maxMicroseconds));
}

TEST(ConfigurationStress, TableAndDocumentStaySoundUnderEveryThread) {
  TempFolder folder;
  seam::SimPlatform platform;
  platform.program().SetModuleFileName(folder.File("Tandrel.exe"));
  seam::ScopedServices services(platform.services());
  FillTestLibrary(2);  // written as the actions file, which the configuration reads back
  ASSERT_TRUE(SaveActions(folder.File("Actions.xml").c_str()));
  ClearActions();
  std::ofstream(folder.File("Busy.xml"), std::ios::binary) << BusyProfile("A");
  std::ofstream(folder.File("Game.xml"), std::ios::binary) << BusyProfile("B");
  std::ofstream(folder.File("Tandrel.exe.config"), std::ios::binary)
      << "<Configuration><Actions fileName='Actions.xml'/><Joysticks>" + Entry(0, "") +
             Entry(1, "") + Entry(2, " picture='p.bmp'") + Entry(3, " enabled='false'") +
             Entry(5, "") + "</Joysticks></Configuration>";

  RealTimerService timers;
  ScopedTimerService timerService(&timers);
  const seam::JoystickCaps caps = seam::MakeJoystickCaps("", 8, true);
  for (int id = 0; id < kIds; ++id) platform.joysticks().Plug(id, caps);

  {
    CTandrelConfiguration configuration(folder.File("Tandrel.exe"));
    ASSERT_FALSE(configuration.LoadFailed());
    // The tab's state that matches the file, so that applying it keeps the file as it is.
    JoysticksTabState tab;
    for (int id : {0, 1, 2, 3, 5}) tab.controllers[id].profile = "Busy.xml";
    tab.controllers[2].picture = "p.bmp";
    tab.controllers[3].enabled = false;

    // Each job runs on a thread of its own until `stop`; every job but the player's counts.
    const std::vector<std::pair<const char*, std::function<void(std::mt19937&)>>> jobs = {
        // The player: buttons go up and down (so fresh controllers arm them), the hat and the
        // sticks move.
        {nullptr,
         [&](std::mt19937& rng) {
           const int id = static_cast<int>(rng() % kIds);
           platform.joysticks().SetButtons(id, rng() & 0xFF);
           platform.joysticks().SetPov(id, rng() % 4 == 0 ? seam::kPovCentered : rng() % 36000);
           platform.joysticks().SetAxis(id, 'X', rng() % 65536);
           platform.joysticks().SetAxis(id, 'Y', rng() % 65536);
           Nap(rng, 500);
         }},
        {"plugs",
         [&](std::mt19937& rng) {
           const int id = static_cast<int>(rng() % kIds);
           rng() % 2 == 0 ? platform.joysticks().Unplug(id) : platform.joysticks().Plug(id, caps);
           Nap(rng, 3000);
         }},
        {"switches",
         [&](std::mt19937& rng) {
           configuration.SwitchProfileForWindow(rng() % 2 == 0 ? "My Game" : "Desktop");
           Nap(rng, 3000);
         }},
        {"reloads",
         [&](std::mt19937& rng) {
           if (rng() % 4 == 0) configuration.SaveJoysticksTab(tab);
           configuration.Load();
           Nap(rng, 20000);
         }},
        // What the configuration window reads.
        {"reads",
         [&](std::mt19937& rng) {
           const int id = static_cast<int>(rng() % kIds);
           if (auto lock = configuration.Lock();
               CJoystick* joystick = configuration.GetJoystick(id)) {
             joystick->IsActive();
             joystick->GetDeviceName();
             joystick->GetProfilePath();
           }
           configuration.GetProfileFileName(id);
           configuration.GetPicture(id);
           configuration.LoadFailed();
           Nap(rng, 1000);
         }},
        // Hot-plug checks besides the timer's own, from another thread.
        {"extra checks",
         [&](std::mt19937& rng) {
           configuration.RunTick();
           Nap(rng, 5000);
         }},
    };
    std::atomic<bool> stop{false};
    std::vector<std::atomic<long>> rounds(jobs.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
      threads.emplace_back([&, i] {
        std::mt19937 rng(static_cast<unsigned>(i));
        for (; !stop.load(); rounds[i].fetch_add(1, std::memory_order_relaxed)) jobs[i].second(rng);
      });
    }
    const auto enough = [&] {
      for (std::size_t i = 1; i < jobs.size(); ++i) {
        if (rounds[i].load() < kMinOperations) return false;
      }
      return true;
    };
    const auto began = Clock::now();
    while (Clock::now() - began < kMaxRunTime &&
           !(Clock::now() - began > kMinRunTime && enough())) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    stop.store(true);
    for (auto& thread : threads) thread.join();
    for (std::size_t i = 1; i < jobs.size(); ++i) EXPECT_GE(rounds[i].load(), kMinOperations);
    // Some controller held something while the threads ran.
    EXPECT_GT(platform.input().Count(), 0u);
  }

  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 0u);
  const auto count = platform.input().Count();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(platform.input().Count(), count) << "input went on after the configuration was gone";
  EXPECT_EQ(GetThemeCount(), 0);
}

}  // namespace
