#include "engine/JoystickPOVButton.h"

const char* CJoystickPOVButton::NameOf(int angle) {
  switch (angle) {
    case 0:
      return "POV Forward";
    case 90:
      return "POV Right";
    case 180:
      return "POV Backward";
    case 270:
      return "POV Left";
    default:
      return "POV";
  }
}

CJoystickPOVButton::CJoystickPOVButton(CShiftButtonOwner* owner, int angle)
    : CJoystickButtonBase(owner), angle_(angle) {
  Init(NameOf(angle));
}

bool CJoystickPOVButton::InRange(std::uint32_t reading) const {
  const std::optional<std::uint32_t> angle = seam::HatAngle(reading);
  if (!angle) return false;
  const std::uint32_t pov = *angle;
  switch (angle_) {
    case 0:
      return pov > 29800 || pov < 6200;
    case 90:
      return pov > 2800 && pov < 15200;
    case 180:
      return pov > 11800 && pov < 24200;
    case 270:
      return pov > 20800 && pov < 33200;
    default:
      return false;
  }
}

void CJoystickPOVButton::Update(const seam::JoystickState& state) {
  // A disabled element presses nothing, as every other element.
  if (!enabled_) return;
  const bool inRange = InRange(state.pov);
  if (awaitingRelease_) {
    awaitingRelease_ = inRange;
    return;
  }
  if (inRange && !pressed_) {
    Press(nullptr);
  } else if (!inRange && pressed_) {
    Release(nullptr);
  }
}
