// The controllers through the multimedia joystick functions.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Stateless: every call goes straight to the system, which serialises its own driver access.
class Win32Joysticks : public IJoysticks {
 public:
  // joyGetPos succeeds for the ID.
  bool IsPresent(int id) override;
  // joyGetDevCapsW, the name as UTF-8; on failure the record is left as it was.
  bool GetCaps(int id, JoystickCaps& caps) override;
  // joyGetPosEx with JOY_RETURNALL; on failure the record is left as it was.
  bool GetState(int id, JoystickState& state) override;
};

}  // namespace seam
