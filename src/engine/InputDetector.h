// Picking an input by pressing it: fed the successive live states of one controller, reports
// the first input that goes down, or that detection ended without one (cancelled, or 10 s
// passed). An input counts when it goes from up to down: a button is pressed, the hat is
// pushed towards a direction, an axis leaves its dead zone towards one end. Inputs already down
// in the first state (a button held, a throttle resting at one end) count only after they were
// seen up. When several inputs go down in one state, buttons come first (lowest number), then
// the hat, then the axes in the layout's order. Time is the platform's tick count.
//
// The controller's actions are held back meanwhile by whoever runs the detection; the detector
// only reads. The configuration window's Detect, on its own thread:
//   configuration.HoldBack(id, true);
//   CInputDetector detector(*configuration.LiveLayout(id), *configuration.LiveState(id));
//   on every tick of its timer: if (detector.Update(*configuration.LiveState(id)) != Detecting)
//     configuration.HoldBack(id, false), and when Found: select the entry
//     profileedit::DetectedEntryIndex(*detector.Found(), the edited axis' "swapped");
//   on Esc: detector.Cancel(), configuration.HoldBack(id, false).
// (LiveLayout and LiveState are none when the controller has gone: Detect then ends too.)
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/JoystickLiveState.h"

struct DetectedInput {
  enum class Kind { Button, HatDirection, AxisDirection };
  Kind kind = Kind::Button;
  // Button: its number, 1..32. HatDirection: 0 forward, 1 right, 2 backward, 3 left.
  // AxisDirection: the axis index, 0..5 for X, Y, Z, R, U, V.
  int number = 0;
  bool towardsMax = false;  // AxisDirection: towards the axis' max (else its min)
  // Button and HatDirection: the element number (with a hat, 1..4 are its directions and
  // button k is k + 4; without one, button k is k). 0 for an axis, which has none.
  int element = 0;

  bool operator==(const DetectedInput&) const = default;
};

enum class DetectionStatus { Detecting, Found, Cancelled, TimedOut };

class CInputDetector {
 public:
  static constexpr std::uint32_t kTimeoutMs = 10000;

  // Starts now, with `baseline` the controller's state at the start; `layout` says which
  // buttons, hat and axes the controller has and where each axis' dead zone lies.
  CInputDetector(const JoystickLiveLayout& layout, const JoystickLiveState& baseline);

  // The controller's latest state (the same state again is fine: the window feeds what it
  // has on every tick of its own timer). Returns the status after it: Found for the first
  // input that went down, TimedOut once kTimeoutMs have passed since the start without one.
  // After the end nothing changes any more.
  DetectionStatus Update(const JoystickLiveState& state);
  // Esc, or the window going away: ends the detection unless it has ended already.
  void Cancel();

  DetectionStatus Status() const { return status_; }
  // The input found; none unless Status() is Found.
  const std::optional<DetectedInput>& Found() const { return found_; }

 private:
  // One input that can go down: a button, a hat direction or one side of an axis.
  struct Input {
    DetectedInput what;
    bool armed;  // seen up since the start
  };
  bool IsDown(const Input& input, const JoystickLiveState& state) const;

  std::vector<Input> inputs_;  // in the order in which they win
  std::vector<LiveAxisLayout> axes_;
  std::uint32_t start_;
  DetectionStatus status_ = DetectionStatus::Detecting;
  std::optional<DetectedInput> found_;
};
