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
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "actions/ActionLibrary.h"
#include "app/timer/RealTimerService.h"
#include "config/TandrelConfiguration.h"
#include "engine/Joystick.h"
#include "platform/sim/SimPlatform.h"
#include "support/TempFolder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kIds = 6;  // 0..3 configured, 4 without an entry, 5 configured
// At least two hot-plug ticks of the timer itself, and enough work of every kind.
constexpr auto kMinRunTime = std::chrono::milliseconds(2500);
constexpr auto kMaxRunTime = std::chrono::seconds(40);
constexpr long kMinOperations = 100;

const char* kActions =
    "<Actions><VKActions>"
    "<VKAction theme='Keys' name='A' type='Hold' value='0x41'/>"
    "<VKAction theme='Keys' name='B' type='Hold' value='0x42'/>"
    "<VKAction theme='Keys' name='T' type='Toggle' value='0x54'/>"
    "<VKAction theme='Keys' name='R' type='Repeat' value='0x52' rate='3'/>"
    "<VKAction theme='Keys' name='Ctrl' type='Hold' value='0x11'/>"
    "<VKAction theme='Mouse' name='Click' type='Hold' value='0x1'/>"
    "</VKActions><MouseActions>"
    "<MouseAction theme='Mouse' name='Right' direction='90' delay='2'/>"
    "<MouseAction theme='Mouse' name='Left' type='Toggle' direction='270' delay='2'/>"
    "</MouseActions><MouseWheelActions>"
    "<MouseWheelAction theme='Mouse' name='Wheel' direction='up' delay='2'/>"
    "</MouseWheelActions><ComplexActions>"
    "<ComplexAction theme='Keys' name='Chord'><CombinedAction theme='Keys' name='Ctrl'/>"
    "<CombinedAction theme='Keys' name='T'/></ComplexAction>"
    "</ComplexActions></Actions>";

// Every element keeps something running; button 8 is a shift button.
std::string BusyProfile(const char* key) {
  std::string text =
      "<Joystick Delay='1'><ShiftButtons><ShiftButton ButtonNumber='8'/></ShiftButtons><Axes>";
  for (const char* axis : {"X Axis", "Y Axis"}) {
    text += std::string("<Axis name='") + axis +
            "' type='Horizontal' Sensitivity='10'><Direction Name='Left'><Actions>"
            "<Action Number='0' Theme='Mouse' Name='Left'/>"
            "<Action Number='0' Theme='Mouse' Name='Wheel' percent='60'/></Actions></Direction>"
            "<Direction Name='Right'><Actions><Action Number='0' Theme='Mouse' Name='Right'/>"
            "<Action Number='1' Theme='Keys' Name='" +
            key + "'/></Actions></Direction></Axis>";
  }
  text += "</Axes><Buttons>";
  const char* actions[] = {"A", "B", "T", "Click", "Chord", "R", key};
  for (int n = 1; n <= 7; ++n) {
    text += "<Button number='" + std::to_string(n) + "'><Actions><Action number='0' Theme='" +
            (n == 4 ? "Mouse" : "Keys") + "' name='" + actions[n - 1] +
            "'/><Action number='1' Theme='Keys' name='" + key + "'/></Actions></Button>";
  }
  text += "</Buttons><POV>";
  for (const char* direction : {"forward", "right", "backward", "left"}) {
    text += std::string("<Direction name='") + direction +
            "'><Actions><Action number='0' Theme='Keys' name='" + key + "'/></Actions></Direction>";
  }
  return text + "</POV></Joystick>";
}

std::string Entry(int id, const std::string& extra) {
  return "<Joystick ID='" + std::to_string(id) + "' fileName='Busy.xml'" + extra +
         "><Profile window='Game' fileName='Game.xml'/></Joystick>";
}

void Nap(std::mt19937& rng, int maxMicroseconds) {
  std::this_thread::sleep_for(std::chrono::microseconds(rng() % maxMicroseconds));
}

TEST(ConfigurationStress, TableAndDocumentStaySoundUnderEveryThread) {
  TempFolder folder;
  std::ofstream(folder.File("Actions.xml"), std::ios::binary) << kActions;
  std::ofstream(folder.File("Busy.xml"), std::ios::binary) << BusyProfile("A");
  std::ofstream(folder.File("Game.xml"), std::ios::binary) << BusyProfile("B");
  std::ofstream(folder.File("Tandrel.exe.config"), std::ios::binary)
      << "<Configuration><Actions fileName='Actions.xml'/><Joysticks>" + Entry(0, "") +
             Entry(1, "") + Entry(2, " picture='p.bmp'") + Entry(3, " enabled='false'") +
             Entry(5, "") + "</Joysticks></Configuration>";

  seam::SimPlatform platform;
  platform.program().SetModuleFileName(folder.File("Tandrel.exe"));
  seam::ScopedServices services(platform.services());
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
           if (rng() % 2 == 0) {
             platform.joysticks().Unplug(id);
           } else {
             platform.joysticks().Plug(id, caps);
           }
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
           {
             auto lock = configuration.Lock();
             if (CJoystick* joystick = configuration.GetJoystick(id)) {
               joystick->IsActive();
               joystick->GetDeviceName();
               joystick->GetProfilePath();
             }
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
    for (std::size_t i = 1; i < jobs.size(); ++i) {
      EXPECT_GE(rounds[i].load(), kMinOperations) << jobs[i].first;
      std::cout << jobs[i].first << " " << rounds[i].load() << ", ";
    }
    std::cout << "input events " << platform.input().Count() << ", messages "
              << platform.messages().Count() << "\n";
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
