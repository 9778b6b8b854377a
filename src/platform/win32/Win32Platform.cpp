#include "platform/win32/Win32Platform.h"

namespace seam {

Services Win32Platform::services() {
  Services s;
  s.joysticks = &joysticks_;
  s.input = &input_;
  s.keyboardLayout = &keyboardLayout_;
  s.desktop = &desktop_;
  s.clock = &clock_;
  s.messages = &messages_;
  s.startupEntry = &startupEntry_;
  s.program = &program_;
  s.files = &files_;
  return s;
}

}  // namespace seam
