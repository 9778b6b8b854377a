// What the configuration window's live view shows of one controller: every button pressed or
// not, each axis' position with its dead zone and the points where the entries of the shift
// state in force start to apply, the hat's direction, the profile and the shift state. Made
// from the engine's live state and layout (JoystickLiveState.h) by plain arithmetic, so that the
// window only draws it; Describe() is the same in words, for screen readers (and tests).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/JoystickLiveState.h"

namespace liveview {

// Axis positions on a scale from -1 (the axis' min) through 0 (the middle of its range) to 1
// (its max).
// A pad's Z is shown as two axes, one per trigger ("Z Axis (Left Trigger)").
struct AxisView {
  std::string name;  // "X Axis"
  double position = 0;
  double deadLow = 0, deadHigh = 0;  // the dead zone
  // Where each entry of the shift state starts to apply, on either side, as positions.
  std::vector<double> towardsMinMarks, towardsMaxMarks;
  // The deflection beyond the dead zone in percent (as the percent list counts it): negative
  // towards min, positive towards max, 0 inside the dead zone.
  int deflection = 0;
};

struct View {
  std::vector<bool> buttons;             // one per button of the controller (at most 32)
  std::vector<std::string> buttonNames;  // the pad's name of each button; empty: none
  std::string hatName = "Hat";           // "Hat (D-pad)" on a pad
  // The hat's direction as the profile names it ("Forward", "Right", "Backward", "Left"), with
  // the diagonals between; empty when centred or when there is no hat.
  std::string hat;
  std::optional<double> hatDegrees;  // clockwise from forward; none when centred
  bool hasHat = false;
  std::vector<AxisView> axes;
  std::string profile;  // the file name of the profile, without its folder
  int shiftState = 0;

  // "Buttons down: 1, 5. Hat: Right. X Axis +75 %, Y Axis 0 %. Profile: Pad.xml, shift
  // state 0." ("Buttons down: none", "Hat: centred"; no hat part without a hat). A pad's
  // inputs carry their names: "1 (A)", "Hat (D-pad)", "X Axis (Left Stick)".
  std::string Describe() const;
};

View MakeView(const JoystickLiveLayout& layout, const JoystickLiveState& state);

}  // namespace liveview
