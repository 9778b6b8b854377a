// One simulated adapter of each kind, and the set of services that points at them.
#pragma once

#include "platform/Platform.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimJoysticks.h"
#include "platform/sim/SimKeyboardLayout.h"
#include "platform/sim/SimMessages.h"
#include "platform/sim/SimProgram.h"
#include "platform/sim/SimStartupEntry.h"

namespace seam {

class SimPlatform {
 public:
  SimPlatform() = default;
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  // The services to install. The clock is the own SimClock unless UseClock replaced it.
  Services services();
  // Replaces the clock of services() (nullptr returns to the own SimClock). Not owned. Takes
  // effect at the next install of services().
  void UseClock(IClock* clock) { clockOverride_ = clock; }

  SimJoysticks& joysticks() { return joysticks_; }
  SimInput& input() { return input_; }
  SimKeyboardLayout& keyboardLayout() { return keyboardLayout_; }
  SimDesktop& desktop() { return desktop_; }
  SimClock& clock() { return clock_; }
  SimMessages& messages() { return messages_; }
  SimStartupEntry& startupEntry() { return startupEntry_; }
  SimProgram& program() { return program_; }
  SimFiles& files() { return files_; }

 private:
  SimJoysticks joysticks_;
  SimDesktop desktop_;  // before input_, which moves its cursor
  SimInput input_{desktop_};
  SimKeyboardLayout keyboardLayout_;
  SimClock clock_;
  SimMessages messages_;
  SimStartupEntry startupEntry_;
  SimProgram program_;
  SimFiles files_;
  IClock* clockOverride_ = nullptr;  // set only while no other thread uses the platform
};

}  // namespace seam
