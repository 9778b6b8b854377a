#include "replay/ReplayScript.h"

#include "platform/sim/SimJoysticks.h"

namespace replay {

bool ControllerDeclaration::HasAxis(char letter) const {
  return letter == 'X' || letter == 'Y' || axes.find(letter) != std::string::npos;
}

seam::JoystickCaps ControllerDeclaration::Caps() const {
  return seam::MakeJoystickCaps(axes, buttons, pov, min, max, name);
}

}  // namespace replay
