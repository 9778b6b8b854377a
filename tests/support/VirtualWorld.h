// The usual surroundings of a test: a simulated platform whose clock is a virtual timer
// service, both installed for the life of the object (the previous ones come back after).
// Declare it before the objects under test, so they go first.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "TempFolder.h"
#include "platform/sim/SimPlatform.h"
#include "timer/TimerService.h"
#include "timer/VirtualTimerService.h"

class VirtualWorld {
 public:
  explicit VirtualWorld(std::uint64_t start = 0);
  ~VirtualWorld();
  VirtualWorld(const VirtualWorld&) = delete;
  VirtualWorld& operator=(const VirtualWorld&) = delete;

  seam::SimPlatform& platform() { return platform_; }
  VirtualTimerService& timers() { return timers_; }
  seam::SimJoysticks& joysticks() { return platform_.joysticks(); }
  seam::SimInput& input() { return platform_.input(); }
  seam::SimDesktop& desktop() { return platform_.desktop(); }
  seam::SimMessages& messages() { return platform_.messages(); }
  seam::SimStartupEntry& startupEntry() { return platform_.startupEntry(); }
  seam::SimProgram& program() { return platform_.program(); }

  // Virtual time (see VirtualTimerService).
  void Advance(std::uint64_t ms) { timers_.Advance(ms); }

  // Puts the program into a fresh temporary folder that goes with the world, and returns
  // that folder with its trailing separator (what seam::ProgramFolder() then returns).
  std::string UseTempProgramFolder(const std::string& programName = "Tandrel.exe");
  // A file of that folder, byte for byte; Write returns the name it was given.
  std::string Write(const std::string& name, const std::string& text) const;
  std::string Read(const std::string& name) const;

 private:
  seam::Services Prepare();

  seam::SimPlatform platform_;
  VirtualTimerService timers_;
  std::unique_ptr<TempFolder> folder_;
  std::string folderPath_;
  seam::ScopedServices services_;
  ScopedTimerService timerService_;
};
