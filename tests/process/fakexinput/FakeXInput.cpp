// A stand-in xinput1_4.dll for the process-level tests: placed beside Tandrel.exe (and loaded
// in place of the system's with WINEDLLOVERRIDES=xinput1_4=n,b), it reports the pads of its
// script (ControllerScript.h) that have "xinput=USER" as XInput's user 0..3, in XInput's own
// terms:
//
//   ID|- ... xinput=USER [pad=WBUTTONS] [lt=0..255] [rt=0..255] [lx=..] [ly=..] [rx=..] [ry=..]
//
// "pad" is the pressed buttons' XINPUT_GAMEPAD bits (decimal), the sticks read -32768..32767
// with up positive. A line with an ID is also a device of the stand-in winmm.dll: a pad that
// both interfaces serve, as Windows serves them.
#include <windows.h>
// After windows.h, which it needs.
#include <xinput.h>

#include "../fakewinmm/ControllerScript.h"

extern "C" DWORD WINAPI XInputGetState(DWORD user, XINPUT_STATE* state) {
  if (state == nullptr) return ERROR_BAD_ARGUMENTS;
  for (const script::Line& line : script::Read(reinterpret_cast<const void*>(&XInputGetState))) {
    if (line.Number("xinput", -1) != user) continue;
    *state = {};
    XINPUT_GAMEPAD& pad = state->Gamepad;
    pad.wButtons = static_cast<WORD>(line.Number("pad"));
    pad.bLeftTrigger = static_cast<BYTE>(line.Number("lt"));
    pad.bRightTrigger = static_cast<BYTE>(line.Number("rt"));
    pad.sThumbLX = static_cast<SHORT>(line.Number("lx"));
    pad.sThumbLY = static_cast<SHORT>(line.Number("ly"));
    pad.sThumbRX = static_cast<SHORT>(line.Number("rx"));
    pad.sThumbRY = static_cast<SHORT>(line.Number("ry"));
    return ERROR_SUCCESS;
  }
  return ERROR_DEVICE_NOT_CONNECTED;
}
