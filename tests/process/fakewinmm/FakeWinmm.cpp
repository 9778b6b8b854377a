// A stand-in winmm.dll for the process-level tests: placed beside Tandrel.exe (and loaded in
// place of the system's with WINEDLLOVERRIDES=winmm=n,b), it reports the controllers scripted
// in "winmm-controllers.txt" beside it through the real joystick calls. One line per
// controller (blank lines and lines starting with '#' are skipped):
//
//   ID name="Product" axes=XYZRUV buttons=N pov=0|1 [down=MASK] [hat=HUNDREDTHS] [x=POS] ...
//
// Every axis reads 0..65535 (absent axes 0, present ones 32767 unless "x", "y", "z", "r", "u" or
// "v" gives its position); "down" holds the pressed buttons (bit k-1 for button k, decimal) and
// "hat" the hat's direction (centred without it). The file is read at every call, so a story
// moves the inputs by writing it again. The timer resolution calls simply succeed.
#define _WINMM_
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <cstring>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>

namespace {

struct Controller {
  std::string name;
  std::string axes;
  unsigned buttons = 0;
  bool pov = false;
  DWORD down = 0;
  DWORD hat = JOY_POVCENTERED;
  DWORD positions[6] = {32767, 32767, 32767, 32767, 32767, 32767};  // X, Y, Z, R, U, V

  DWORD Position(char axis) const {
    const std::size_t index = std::string("XYZRUV").find(axis);
    return axes.find(axis) == std::string::npos ? 0 : positions[index];
  }
};

constexpr UINT kMaxControllers = 16;

std::string ScriptPath() {
  HMODULE self = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&ScriptPath), &self);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(self, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "winmm-controllers.txt";
}

Controller ParseLine(std::istringstream& line) {
  Controller c;
  for (std::string key, value; line >> std::ws && std::getline(line, key, '=');) {
    line >> std::quoted(value);  // a quoted name may hold blanks
    if (key == "name") {
      c.name = value;
    } else if (key == "axes") {
      c.axes = value;
    } else if (key == "buttons") {
      c.buttons = std::strtoul(value.c_str(), nullptr, 10);
    } else if (key == "pov") {
      c.pov = value == "1";
    } else if (key == "down") {
      c.down = std::strtoul(value.c_str(), nullptr, 10);
    } else if (key == "hat") {
      c.hat = std::strtoul(value.c_str(), nullptr, 10);
    } else if (key.size() == 1 && std::string("xyzruv").find(key) != std::string::npos) {
      c.positions[std::string("xyzruv").find(key)] = std::strtoul(value.c_str(), nullptr, 10);
    }
  }
  return c;
}

// The controller with this ID as the script says (none while it cannot be read).
MMRESULT Find(UINT id, Controller& controller) {
  if (id >= kMaxControllers) return JOYERR_PARMS;
  std::ifstream file(ScriptPath());
  for (std::string text; std::getline(file, text);) {
    std::istringstream line(text);
    UINT lineId = 0;
    if (!text.empty() && text[0] != '#' && line >> lineId && lineId == id) {
      controller = ParseLine(line);
      return JOYERR_NOERROR;
    }
  }
  return JOYERR_UNPLUGGED;
}

}  // namespace

extern "C" {

// The name is UTF-8 in the script, and UTF-16 as the system gives it.
MMRESULT WINAPI joyGetDevCapsW(UINT_PTR id, LPJOYCAPSW caps, UINT size) {
  Controller c;
  if (caps == nullptr || size < sizeof(JOYCAPSW)) return MMSYSERR_INVALPARAM;
  if (const MMRESULT result = Find(static_cast<UINT>(id), c); result != JOYERR_NOERROR) {
    return result;
  }
  *caps = {};
  caps->wMid = 1;
  caps->wPid = 1;
  MultiByteToWideChar(CP_UTF8, 0, c.name.c_str(), -1, caps->szPname, MAXPNAMELEN - 1);
  caps->wXmax = caps->wYmax = caps->wZmax = caps->wRmax = caps->wUmax = caps->wVmax = 65535;
  caps->wNumButtons = c.buttons;
  caps->wMaxButtons = 32;
  caps->wPeriodMin = 10;
  caps->wPeriodMax = 1000;
  caps->wMaxAxes = 6;
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
