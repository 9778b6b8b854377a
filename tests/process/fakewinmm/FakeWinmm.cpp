// A stand-in winmm.dll for the process-level tests: placed beside Tandrel.exe (and loaded in
// place of the system's with WINEDLLOVERRIDES=winmm=n,b), it reports the controllers of its
// script (ControllerScript.h) that have an ID through the real joystick calls:
//
//   ID name="Product" axes=XYZRUV buttons=N pov=0|1 [down=MASK] [hat=HUNDREDTHS]
//
// Every axis present rests at 32767 of 0..65535 (absent ones read 0); "down" holds the pressed
// buttons (bit k-1 for button k, decimal) and "hat" the hat's direction (centred without it). A pad
// XInput serves is listed here too, as Windows lists it: give it the name its driver gives it
// ("Controller (XBOX 360 For Windows)"). The timer resolution calls simply succeed.
#define _WINMM_
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <string>

#include "ControllerScript.h"

namespace {

struct Controller {
  std::string name;
  std::string axes;
  unsigned buttons = 0;
  bool pov = false;
  DWORD down = 0;
  DWORD hat = JOY_POVCENTERED;

  DWORD Position(char axis) const { return axes.find(axis) == std::string::npos ? 0 : 32767; }
};

constexpr UINT kMaxControllers = 16;

// The controller with this ID as the script says (none while it cannot be read).
MMRESULT Find(UINT id, Controller& c) {
  if (id >= kMaxControllers) return JOYERR_PARMS;
  for (const script::Line& line : script::Read(reinterpret_cast<const void*>(&Find))) {
    if (line.id != std::to_string(id)) continue;
    c.name = line.Text("name");
    c.axes = line.Text("axes");
    c.buttons = static_cast<unsigned>(line.Number("buttons"));
    c.pov = line.Text("pov") == "1";
    c.down = static_cast<DWORD>(line.Number("down"));
    c.hat = static_cast<DWORD>(line.Number("hat", JOY_POVCENTERED));
    return JOYERR_NOERROR;
  }
  return JOYERR_UNPLUGGED;
}

}  // namespace

extern "C" {

// The name is UTF-8 in the script, and UTF-16 as the system gives it; what the program does not
// read stays zero.
MMRESULT WINAPI joyGetDevCapsW(UINT_PTR id, LPJOYCAPSW caps, UINT size) {
  Controller c;
  if (caps == nullptr || size < sizeof(JOYCAPSW)) return MMSYSERR_INVALPARAM;
  if (const MMRESULT result = Find(static_cast<UINT>(id), c); result != JOYERR_NOERROR) {
    return result;
  }
  *caps = {};
  MultiByteToWideChar(CP_UTF8, 0, c.name.c_str(), -1, caps->szPname, MAXPNAMELEN - 1);
  caps->wXmax = caps->wYmax = caps->wZmax = caps->wRmax = caps->wUmax = caps->wVmax = 65535;
  caps->wNumButtons = c.buttons;
  caps->wNumAxes = static_cast<UINT>(c.axes.size());
  const UINT flags[] = {JOYCAPS_HASZ, JOYCAPS_HASR, JOYCAPS_HASU, JOYCAPS_HASV};
  for (int i = 0; i < 4; ++i)
    caps->wCaps |= c.axes.find("ZRUV"[i]) != std::string::npos ? flags[i] : 0;
  if (c.pov) caps->wCaps |= JOYCAPS_HASPOV | JOYCAPS_POV4DIR;
  return JOYERR_NOERROR;
}

MMRESULT WINAPI joyGetPos(UINT id, LPJOYINFO info) {
  Controller c;
  if (info == nullptr) return MMSYSERR_INVALPARAM;
  if (const MMRESULT result = Find(id, c); result != JOYERR_NOERROR) return result;
  info->wXpos = c.Position('X');
  info->wYpos = c.Position('Y');
  info->wZpos = c.Position('Z');
  info->wButtons = c.down & 0xF;
  return JOYERR_NOERROR;
}

MMRESULT WINAPI joyGetPosEx(UINT id, LPJOYINFOEX info) {
  Controller c;
  if (info == nullptr || info->dwSize < sizeof(JOYINFOEX)) return MMSYSERR_INVALPARAM;
  if (const MMRESULT result = Find(id, c); result != JOYERR_NOERROR) return result;
  info->dwXpos = c.Position('X');
  info->dwYpos = c.Position('Y');
  info->dwZpos = c.Position('Z');
  info->dwRpos = c.Position('R');
  info->dwUpos = c.Position('U');
  info->dwVpos = c.Position('V');
  info->dwButtons = c.down;
  info->dwButtonNumber = 0;
  for (DWORD bits = c.down; bits != 0; bits &= bits - 1) ++info->dwButtonNumber;
  info->dwPOV = c.pov ? c.hat : JOY_POVCENTERED;
  return JOYERR_NOERROR;
}

MMRESULT WINAPI timeBeginPeriod(UINT) { return TIMERR_NOERROR; }
MMRESULT WINAPI timeEndPeriod(UINT) { return TIMERR_NOERROR; }

}  // extern "C"
