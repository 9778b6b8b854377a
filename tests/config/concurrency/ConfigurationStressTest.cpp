// The configuration on the real timer service with controllers polling every millisecond and
// holding keys, while other threads pull controllers out and plug them in, switch windows,
// reload, apply the Joysticks tab, read what the configuration window reads and change the
// controllers under the configuration lock (activation, removal of the elements, profile
// loads), and run extra hot-plug checks besides the timer's own. Run under ThreadSanitizer: a
// poll never meets elements being changed, nothing deadlocks, and once the configuration is
// gone no key or mouse button is left down and no timer runs.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "config/TandrelConfiguration.h"
#include "engine/EngineFixture.h"
#include "support/StressJobs.h"
#include "timer/RealTimerService.h"

namespace {

constexpr int kIds = 6;  // 0..3 configured, 4 without an entry, 5 configured

TEST(ConfigurationStress, TableAndDocumentStaySoundUnderEveryThread) {
  TempFolder folder;
  seam::SimPlatform platform;
  platform.program().SetModuleFileName(folder.File("Tandrel.exe"));
  seam::ScopedServices services(platform.services());
  FillTestLibrary(2);  // written as the actions file, which the configuration reads back
  ASSERT_TRUE(SaveActions(folder.File("Actions.xml").c_str()));
  ClearActions();
  const std::string busy = folder.File("Busy.xml"), game = folder.File("Game.xml");
  std::ofstream(busy, std::ios::binary) << BusyProfile("A");
  std::ofstream(game, std::ios::binary) << BusyProfile("B");
  std::string entries;
  for (std::string id : {"0'", "1'", "2' picture='p.bmp'", "3' enabled='false'", "5'"}) {
    entries += "<Joystick ID='" + id +
               " fileName='Busy.xml'><Profile window='Game' fileName='Game.xml'/></Joystick>";
  }
  std::ofstream(folder.File("Tandrel.exe.config"), std::ios::binary)
      << "<Configuration><Actions fileName='Actions.xml'/><Joysticks>" + entries +
             "</Joysticks></Configuration>";

  RealTimerService timers;
  ScopedTimerService timerService(&timers);
  const seam::JoystickCaps caps = seam::MakeJoystickCaps("", 8, true);
  for (int id = 0; id < kIds; ++id) platform.joysticks().Plug(id, caps);
  {
    CTandrelConfiguration configuration(folder.File("Tandrel.exe"));
    ASSERT_FALSE(configuration.LoadFailed());
    // The tab's state that matches the file, so that applying it keeps the file as it is.
    JoysticksTabState tab;
    for (int id : {0, 1, 2, 3, 5})
      tab.controllers[id] = JoysticksTabState::Controller{"Busy.xml", "", true};
    tab.controllers[2]->picture = "p.bmp";
    tab.controllers[3]->enabled = false;
    RunStressJobs(
        {{[&](std::mt19937& rng) {  // the player: buttons go up and down, hat and sticks move
            const int id = static_cast<int>(rng() % kIds);
            platform.joysticks().SetButtons(id, rng() & 0xFF);
            platform.joysticks().SetPov(id, rng() % 5 == 0 ? seam::kPovCentered : rng() % 36000);
            for (char axis : {'X', 'Y'}) platform.joysticks().SetAxis(id, axis, rng() % 65536);
          },
          500},
         {[&](std::mt19937& rng) {  // controllers pulled out and plugged in
            const int id = static_cast<int>(rng() % kIds);
            rng() % 2 == 0 ? platform.joysticks().Unplug(id) : platform.joysticks().Plug(id, caps);
          },
          3000},
         {[&](std::mt19937& rng) {
            configuration.SwitchProfileForWindow(rng() % 2 == 0 ? "My Game" : "Desktop");
          },
          3000},
         {[&](std::mt19937& rng) {
            if (rng() % 4 == 0) configuration.SaveJoysticksTab(tab);
            configuration.Load();
          },
          20000},
         {[&](std::mt19937& rng) {  // what the windows read, and change under the lock
            const int id = static_cast<int>(rng() % kIds);
            if (auto lock = configuration.Lock();
                CJoystick* joystick = configuration.GetJoystick(id)) {
              joystick->IsActive();
              joystick->GetDeviceName();
              joystick->GetProfilePath();
              const auto change = rng() % 4;
              if (change == 0) joystick->SetActive(rng() % 2 == 0);
              if (change == 1) joystick->RemoveAllElements();
              if (change == 2) joystick->LoadProfile((rng() % 2 ? busy : game).c_str(), rng() % 2);
            }
            configuration.GetProfileFileName(id);
            configuration.GetPicture(id);
            configuration.LoadFailed();
            configuration.ReadIdle(id);  // the Live View's tick: its slot's record, without a lock
            configuration.LiveState(id);
          },
          1000},
         // Hot-plug checks besides the timer's own (at least two of its own in the run).
         {[&](std::mt19937&) { configuration.RunTick(); }, 5000}},
        std::chrono::milliseconds(2500), 100);
    EXPECT_GT(platform.input().Count(), 0u);  // some controller held something meanwhile
  }
  // Once the configuration is gone, nothing is held and nothing ticks.
  EXPECT_TRUE(platform.input().AllReleased());
  EXPECT_EQ(timers.RunningTimers(), 0u);
  EXPECT_EQ(GetThemeCount(), 0);
}

}  // namespace
