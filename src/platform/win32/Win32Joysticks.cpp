#include "platform/win32/Win32Joysticks.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <cwchar>
#include <string>

#include "platform/win32/Win32Files.h"

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
  // The wide call: the name enters the program as UTF-16 and becomes the UTF-8 of the files
  // here, whatever the system's code page.
  JOYCAPSW jc{};
  if (joyGetDevCapsW(static_cast<UINT_PTR>(id), &jc, sizeof(jc)) != JOYERR_NOERROR) return false;
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
  const std::size_t length = wcsnlen(jc.szPname, MAXPNAMELEN);
  SetProductName(caps, Narrow(std::wstring(jc.szPname, length)));
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
