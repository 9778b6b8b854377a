// What the configuration window shows of a controller while it runs (the live view) and what
// input detection reads: the latest raw reading with the shift state (JoystickLiveState, a
// value published by every poll that saw a change, read without a lock), and the controller's
// build with its loaded profile's axis settings (JoystickLiveLayout, which changes only when a
// profile is loaded or the device opened, read under the controller's element lock).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

inline constexpr int kLiveAxisCount = 6;  // X, Y, Z, R, U, V

struct JoystickLiveState {
  std::uint32_t buttons = 0;                         // bit k-1 set while button k is down
  std::array<std::uint32_t, kLiveAxisCount> axes{};  // raw positions by axis index (X = 0)
  std::uint32_t pov = seam::kPovCentered;            // hundredths of a degree, or centred
  std::array<std::uint32_t, 2> triggers{};  // a pad's left and right trigger, 0..kTriggerFull
  int shiftState = 0;                       // 0, or k while shift button k is in force
  // The layout this reading belongs to: equal to JoystickLiveLayout::profileGeneration until a
  // profile is loaded into the controller or the controller object is replaced.
  std::uint32_t profileGeneration = 0;

  bool operator==(const JoystickLiveState&) const = default;
};

struct LiveAxisLayout {
  std::string name;  // "X Axis"
  int index = 0;     // 0..5 for X, Y, Z, R, U, V: the position in JoystickLiveState::axes
  std::uint32_t min = 0, max = 0;
  // The dead zone: positions from low to high (both included) press nothing; positions above
  // high deflect towards max, below low towards min. threshold is its width.
  std::uint32_t low = 0, high = 0;
  int threshold = 0;
  bool vertical = false, swapped = false;  // as the profile gives them
  // A pad's Z: each side is one trigger (towards max the left one), read on its own.
  bool split = false;
  // Per shift state (0..the shift-button count): the percents of the entries that the state
  // uses on each side (its own, or those of the nearest lower state that has some), ascending.
  // An entry applies once the deflection beyond the dead zone exceeds its percent.
  std::vector<std::vector<int>> towardsMinPercents, towardsMaxPercents;
};

struct JoystickLiveLayout {
  std::string deviceName;
  std::string profilePath;  // empty before the first profile load
  std::uint32_t profileGeneration = 0;
  bool hasPov = false;  // element numbers 1..4 are the hat directions, button k is k + 4
  int buttonCount = 0;
  int shiftButtonCount = 0;
  std::vector<LiveAxisLayout> axes;  // X, Y, then Z, R, U, V as present
  seam::ControllerLayout controllerLayout = seam::ControllerLayout::Joystick;  // its names
};

// The reading of one side of an axis: the axis' position, or for a split axis the position
// its trigger gives that side (TriggerOnZ).
std::uint32_t SideReading(const LiveAxisLayout& axis, const JoystickLiveState& state,
                          bool towardsMax);
