// A replay script as read: the configuration to run, the simulated surroundings at the start
// (controllers, keyboard repeat settings, screen, scripted answers), the timed statements, and
// the time at which the run ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace replay {

// A controller present from the start, as the script describes it.
struct ControllerDeclaration {
  int id = 0;
  std::string name = "Gamepad";
  std::string axes = "XY";  // letters from XYZRUV; X and Y always exist
  unsigned buttons = 4;
  bool pov = false;
  std::uint32_t min = 0;
  std::uint32_t max = 65535;

  bool HasAxis(char letter) const;
  seam::JoystickCaps Caps() const;
};

struct Event {
  enum class Kind { Button, Axis, Pov, Window, Unplug, Plug, Reload };
  std::uint64_t time = 0;
  Kind kind = Kind::Reload;
  int line = 0;  // in the script, for messages
  int id = 0;    // controller: Button, Axis, Pov, Unplug, Plug
  int button = 0;
  bool down = false;
  char axis = 'X';
  std::uint32_t value = 0;  // axis position, or the POV angle (seam::kPovCentered: centred)
  std::string title;        // Window
};

struct Script {
  std::string configPath;  // as written
  std::vector<ControllerDeclaration> controllers;
  int keyboardDelay = 1;
  int keyboardSpeed = 31;
  int screenWidth = 1920;
  int screenHeight = 1080;
  std::vector<seam::MessageAnswer> answers;
  std::vector<Event> events;  // in time order
  std::uint64_t end = 0;
};

}  // namespace replay
