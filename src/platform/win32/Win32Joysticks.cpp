#include "platform/win32/Win32Joysticks.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <algorithm>
#include <cstring>

namespace seam {

namespace {
// IDs the multimedia interface knows; others are never queried.
bool ValidId(int id) { return id >= 0 && id < kMaxJoysticks; }
}  // namespace

bool Win32Joysticks::IsPresent(int id) {
  if (!ValidId(id)) return false;
  JOYINFO info{};
  return joyGetPos(static_cast<UINT>(id), &info) == JOYERR_NOERROR;
}

bool Win32Joysticks::GetCaps(int id, JoystickCaps& caps) {
  if (!ValidId(id)) return false;
  JOYCAPSA jc{};
  if (joyGetDevCapsA(static_cast<UINT_PTR>(id), &jc, sizeof(jc)) != JOYERR_NOERROR) return false;
  caps.xMin = jc.wXmin;
  caps.xMax = jc.wXmax;
  caps.yMin = jc.wYmin;
  caps.yMax = jc.wYmax;
  caps.zMin = jc.wZmin;
  caps.zMax = jc.wZmax;
  caps.rMin = jc.wRmin;
  caps.rMax = jc.wRmax;
  caps.uMin = jc.wUmin;
  caps.uMax = jc.wUmax;
  caps.vMin = jc.wVmin;
  caps.vMax = jc.wVmax;
  caps.caps = jc.wCaps;
  caps.numButtons = jc.wNumButtons;
  // The driver's name may fill its array without a terminating zero.
  const std::size_t length = strnlen(jc.szPname, sizeof(jc.szPname));
  const std::size_t kept = std::min(length, std::size_t{kProductNameSize - 1});
  std::memcpy(caps.productName, jc.szPname, kept);
  caps.productName[kept] = '\0';
  return true;
}

bool Win32Joysticks::GetState(int id, JoystickState& state) {
  if (!ValidId(id)) return false;
  JOYINFOEX info{};
  info.dwSize = sizeof(info);
  info.dwFlags = JOY_RETURNALL;
  if (joyGetPosEx(static_cast<UINT>(id), &info) != JOYERR_NOERROR) return false;
  state.xPos = info.dwXpos;
  state.yPos = info.dwYpos;
  state.zPos = info.dwZpos;
  state.rPos = info.dwRpos;
  state.uPos = info.dwUpos;
  state.vPos = info.dwVpos;
  state.buttons = info.dwButtons;
  state.buttonNumber = info.dwButtonNumber;
  state.pov = info.dwPOV;
  return true;
}

}  // namespace seam
