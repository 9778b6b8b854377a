#include "platform/win32/Win32Desktop.h"

#include <windows.h>

namespace seam {

int Win32Desktop::KeyboardDelay() {
  int delay = 1;
  SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
  return delay;
}

int Win32Desktop::KeyboardSpeed() {
  DWORD speed = 31;
  SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
  return static_cast<int>(speed);
}

int Win32Desktop::FullScreenWidth() { return GetSystemMetrics(SM_CXFULLSCREEN); }

int Win32Desktop::FullScreenHeight() { return GetSystemMetrics(SM_CYFULLSCREEN); }

bool Win32Desktop::GetCursorPos(int& x, int& y) {
  POINT point{};
  if (!::GetCursorPos(&point)) return false;
  x = point.x;
  y = point.y;
  return true;
}

}  // namespace seam
