// The one layout in which Tandrel presents an Xbox-style pad on every system: the layout that
// Windows' joystick interface gives such a pad, so that one profile works everywhere. X and Y
// are the left stick, U and R the right stick's horizontal and vertical axes, Z the triggers
// (the left one towards Z's max, the right one towards its min; ControllerLayout::Pad also
// keeps each on its own), buttons 1 to 10 are A, B, X, Y, the left and right shoulder, Back,
// Start and the two stick presses, and the d-pad is the hat. Axes read 0..65535, up and left
// at 0.
//
// The adapters of the pad interfaces (XInput, SDL's game controllers) fill a PadReading and
// leave the rest to these functions. The names are for display only: the files keep numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace seam {

// Bit k of PadReading::buttons, which is button k + 1 of the layout.
enum PadButton : int {
  kPadA,
  kPadB,
  kPadX,
  kPadY,
  kPadLeftShoulder,
  kPadRightShoulder,
  kPadBack,
  kPadStart,
  kPadLeftStick,
  kPadRightStick,
  kPadButtonCount
};

struct PadReading {
  // The sticks, -32768..32767, negative towards the left and up.
  std::int32_t leftX = 0, leftY = 0, rightX = 0, rightY = 0;
  std::uint32_t leftTrigger = 0, rightTrigger = 0;             // 0..kTriggerFull
  std::uint32_t buttons = 0;                                   // bit PadButton while held
  bool up = false, right = false, down = false, left = false;  // the d-pad
};

// A pad's capabilities: X, Y, Z, R, U, the hat and 10 buttons, every range 0..65535.
JoystickCaps PadCaps(std::string_view name);
JoystickState PadState(const PadReading& reading);

// Where a trigger pulled `pull` (0..kTriggerFull) of the way puts Z (range min..max) when it
// is pressed alone: from the middle towards max for the left trigger, towards min for the right.
std::uint32_t TriggerOnZ(std::uint32_t min, std::uint32_t max, std::uint32_t pull, bool towardsMax);

// The hat's angle for the directions held (hundredths of a degree clockwise from up; a
// diagonal for two neighbours), centred for none; opposite directions cancel each other.
std::uint32_t PovOfDirections(bool up, bool right, bool down, bool left);

// The pad's name of button k (1-based), "" where the layout has none ("A").
std::string_view InputButtonName(ControllerLayout layout, int number);
// The pad's name of the control behind one side of an axis (index 0..5 for X, Y, Z, R, U, V):
// "Left Stick", and for Z "Left Trigger" towards its max, "Right Trigger" towards its min.
std::string_view InputAxisName(ControllerLayout layout, int axisIndex, bool towardsMax);
// "D-pad" for a pad's hat.
std::string_view InputHatName(ControllerLayout layout);
// Every input of a pad by number with its name, for those who write profiles by hand:
// "Button 1 (A), ..., X and Y Axis (Left Stick), ..., POV (D-pad)".
std::string PadInputsText();
// "Button 1 (A)": the text with the name beside it, or the text alone without a name.
std::string WithInputName(std::string text, std::string_view name);

}  // namespace seam
