#include "platform/sim/SimPlatform.h"

namespace seam {

Services SimPlatform::services() {
  Services s;
  s.joysticks = &joysticks_;
  s.input = &input_;
  s.keyboardLayout = &keyboardLayout_;
  s.desktop = &desktop_;
  s.clock = clockOverride_ != nullptr ? clockOverride_ : &clock_;
  s.messages = &messages_;
  s.startupEntry = &startupEntry_;
  s.program = &program_;
  s.files = &files_;
  return s;
}

}  // namespace seam
