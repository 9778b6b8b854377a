#include "engine/JoystickSplitAxis.h"

#include "platform/PadLayout.h"

std::uint32_t CJoystickSplitAxis::SidePosition(bool negative,
                                               const seam::JoystickState& state) const {
  const CJoystickAxisProperties& p = Properties();
  return seam::TriggerOnZ(p.GetMin(), p.GetMax(), negative ? state.rightTrigger : state.leftTrigger,
                          !negative);
}

bool CJoystickSplitAxis::Deflected(bool negative, std::uint32_t position) const {
  return negative ? position < Properties().Low() : position > Properties().High();
}

bool CJoystickSplitAxis::IsHeldIn(const seam::JoystickState& state) const {
  for (bool negative : {true, false}) {
    heldInReading_[negative ? 0 : 1] = Deflected(negative, SidePosition(negative, state));
  }
  return heldInReading_[0] || heldInReading_[1];
}

void CJoystickSplitAxis::Update(const seam::JoystickState& state) {
  if (!enabled_) return;
  for (bool negative : {true, false}) UpdateSide(negative, SidePosition(negative, state));
  pressed_ = sides_[0].pressed || sides_[1].pressed;
}

void CJoystickSplitAxis::UpdateSide(bool negative, std::uint32_t pos) {
  Side& side = sides_[negative ? 0 : 1];
  const CJoystickAxisProperties& p = Properties();
  const bool deflected = Deflected(negative, pos);
  if (side.awaitingRelease) {
    if (deflected) return;
    side.awaitingRelease = false;
    side.position = pos;
    return;
  }
  // Jitter filter, as for the whole axis.
  const std::int64_t position = side.position;
  const std::int64_t sensitivity = p.GetSensitivity();
  if (position <= pos + sensitivity && position >= pos - sensitivity) return;
  CAction* actions = SideInForce(negative);
  if (side.pressed && !deflected) {
    side.pressed = false;
    if (actions != nullptr) actions->Release(nullptr);
  }
  side.position = pos;
  if (!deflected) return;
  side.pressed = true;
  CMouseSpeedData speed(DeflectionPercent(pos));
  if (actions != nullptr) actions->Press(&speed);
}

void CJoystickSplitAxis::ResetSides() {
  for (Side& side : sides_) {
    side.position = Properties().Centre();
    side.pressed = false;
  }
  pressed_ = false;
}

void CJoystickSplitAxis::SetShiftState(int shiftState) {
  CJoystickAxis::SetShiftState(shiftState);
  ResetSides();
}

void CJoystickSplitAxis::Enable(bool enabled) {
  if (!enabled) {
    for (Side& side : sides_) side.pressed = false;
  }
  CJoystickAxis::Enable(enabled);
}

void CJoystickSplitAxis::StopAllActions() {
  CJoystickAxis::StopAllActions();
  for (Side& side : sides_) side.pressed = false;
}

void CJoystickSplitAxis::AwaitRelease() {
  for (int side = 0; side < 2; ++side) sides_[side].awaitingRelease = heldInReading_[side];
}
