// Keyboard repeat settings, screen size and cursor position from the system.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Stateless.
class Win32Desktop : public IDesktop {
 public:
  // SPI_GETKEYBOARDDELAY; 1 when the setting cannot be read.
  int KeyboardDelay() override;
  // SPI_GETKEYBOARDSPEED; 31 when the setting cannot be read.
  int KeyboardSpeed() override;
  int FullScreenWidth() override;   // SM_CXFULLSCREEN
  int FullScreenHeight() override;  // SM_CYFULLSCREEN
  bool GetCursorPos(int& x, int& y) override;
};

}  // namespace seam
