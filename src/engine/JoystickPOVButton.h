// One of the four directions of a POV hat: forward (0), right (90), backward (180) or left
// (270 degrees). Each direction is in range within 62 degrees of its centre, so neighbouring
// windows overlap around the diagonals and a diagonal holds both directions.
#pragma once

#include <cstdint>

#include "engine/JoystickButtonBase.h"

class CJoystickPOVButton : public CJoystickButtonBase {
 public:
  // angle: 0, 90, 180 or 270.
  CJoystickPOVButton(CShiftButtonOwner* owner, int angle);
  ~CJoystickPOVButton() override = default;

  // No armed rule: a hat already deflected when the element is created presses at once (but
  // not one held on through AwaitRelease).
  void Update(const seam::JoystickState& state) override;

  int GetAngle() const { return angle_; }
  // Whether a hat reading (hundredths of a degree, clockwise from forward) lies strictly
  // inside this direction's window; never for the centred reading.
  bool InRange(std::uint32_t pov) const;
  bool IsHeldIn(const seam::JoystickState& state) const override { return InRange(state.pov); }

  static const char* NameOf(int angle);

 private:
  int angle_;
};
