// An axis whose two sides are two inputs: the Z axis of a pad (ControllerLayout::Pad), where
// the joystick interface puts both triggers (the left one towards max, the right one towards
// min). Each side is read from its own trigger, as the position Z would have with that trigger
// alone pressed, and evaluated as the whole axis is (dead zone, sensitivity, percent), on its
// own: both triggers can be pressed at once, and a profile written for the shared axis gives
// each trigger the actions of its side.
#pragma once

#include <array>
#include <cstdint>

#include "engine/JoystickAxis.h"

class CJoystickSplitAxis : public CJoystickAxis {
 public:
  using CJoystickAxis::CJoystickAxis;

  void Update(const seam::JoystickState& state) override;
  // Either trigger beyond the dead zone. Notes which ones, so that only they wait for their
  // release in AwaitRelease, which the controller calls right after it asked.
  bool IsHeldIn(const seam::JoystickState& state) const override;
  // The base's; then both sides start again from the centre, as the whole axis does.
  void SetShiftState(int shiftState) override;
  void Enable(bool enabled) override;
  void StopAllActions() override;
  void AwaitRelease() override;

 private:
  struct Side {
    std::uint32_t position = 0;  // the last evaluated position, on the axis' range
    bool pressed = false;
    bool awaitingRelease = false;
  };
  void UpdateSide(bool negative, std::uint32_t position);
  // The position of one side for a reading, from its trigger.
  std::uint32_t SidePosition(bool negative, const seam::JoystickState& state) const;
  bool Deflected(bool negative, std::uint32_t position) const;
  void ResetSides();

  std::array<Side, 2> sides_{};  // towards min (the right trigger), towards max (the left)
  mutable std::array<bool, 2> heldInReading_{};  // by side, as IsHeldIn last found them
};
