#include "platform/win32/Win32Joysticks.h"

// After windows.h, which they need.
#include <mmsystem.h>
#include <xinput.h>

#include <cwchar>
#include <string>
#include <utility>

#include "platform/PadLayout.h"
#include "platform/win32/Win32Files.h"

namespace seam {

namespace {

// A pad XInput serves, where the joystick interface does not name it.
constexpr const char* kPadName = "XInput Controller";

constexpr std::pair<WORD, PadButton> kButtons[] = {
    {XINPUT_GAMEPAD_A, kPadA},
    {XINPUT_GAMEPAD_B, kPadB},
    {XINPUT_GAMEPAD_X, kPadX},
    {XINPUT_GAMEPAD_Y, kPadY},
    {XINPUT_GAMEPAD_LEFT_SHOULDER, kPadLeftShoulder},
    {XINPUT_GAMEPAD_RIGHT_SHOULDER, kPadRightShoulder},
    {XINPUT_GAMEPAD_BACK, kPadBack},
    {XINPUT_GAMEPAD_START, kPadStart},
    {XINPUT_GAMEPAD_LEFT_THUMB, kPadLeftStick},
    {XINPUT_GAMEPAD_RIGHT_THUMB, kPadRightStick},
};

// XInput's sticks read up as positive; the pad layout reads up as negative.
std::int32_t Flipped(SHORT value) { return -1 - value; }

std::uint32_t Pull(BYTE trigger) { return trigger * kTriggerFull / 255; }

PadReading ReadingOf(const XINPUT_GAMEPAD& pad) {
  PadReading reading;
  reading.leftX = pad.sThumbLX;
  reading.leftY = Flipped(pad.sThumbLY);
  reading.rightX = pad.sThumbRX;
  reading.rightY = Flipped(pad.sThumbRY);
  reading.leftTrigger = Pull(pad.bLeftTrigger);
  reading.rightTrigger = Pull(pad.bRightTrigger);
  for (const auto& [bit, button] : kButtons) {
    if ((pad.wButtons & bit) != 0) reading.buttons |= 1u << button;
  }
  reading.up = (pad.wButtons & XINPUT_GAMEPAD_DPAD_UP) != 0;
  reading.right = (pad.wButtons & XINPUT_GAMEPAD_DPAD_RIGHT) != 0;
  reading.down = (pad.wButtons & XINPUT_GAMEPAD_DPAD_DOWN) != 0;
  reading.left = (pad.wButtons & XINPUT_GAMEPAD_DPAD_LEFT) != 0;
  return reading;
}

bool CapsOf(UINT id, JOYCAPSW& caps) {
  caps = {};
  return joyGetDevCapsW(id, &caps, sizeof(caps)) == JOYERR_NOERROR;
}

// The driver's name may fill its array without a terminating zero.
std::string NameOf(const JOYCAPSW& caps) {
  return Narrow(std::wstring(caps.szPname, wcsnlen(caps.szPname, MAXPNAMELEN)));
}

}  // namespace

Win32Joysticks::Win32Joysticks(const std::vector<std::wstring>& xinputLibraries) {
  for (const std::wstring& library : xinputLibraries) {
    xinput_ = LoadLibraryW(library.c_str());
    if (xinput_ == nullptr) continue;
    getState_ = reinterpret_cast<XInputGetStateCall>(
        reinterpret_cast<void*>(GetProcAddress(xinput_, "XInputGetState")));
    if (getState_ != nullptr) return;
    FreeLibrary(xinput_);
    xinput_ = nullptr;
  }
}

void Win32Joysticks::Refresh() {
  const auto now = std::chrono::steady_clock::now();
  if (refreshed_ && now - lastRefresh_ < kRefreshMs) return;
  lastRefresh_ = now;
  refreshed_ = true;
  PadIdTable::Seen seen;
  for (int id = 0; id < kMaxJoysticks; ++id) {
    JOYINFO info{};
    seen.device[id] = joyGetPos(static_cast<UINT>(id), &info) == JOYERR_NOERROR;
    JOYCAPSW caps;
    if (!seen.device[id]) {
      names_[id].clear();
    } else if (names_[id].empty() && CapsOf(static_cast<UINT>(id), caps)) {
      names_[id] = NameOf(caps);
    }
    seen.twin[id] = seen.device[id] && getState_ != nullptr && IsXInputDeviceName(names_[id]);
  }
  for (int pad = 0; pad < PadIdTable::kPads; ++pad) {
    XINPUT_STATE state{};
    seen.pad[pad] =
        getState_ != nullptr && getState_(static_cast<DWORD>(pad), &state) == ERROR_SUCCESS;
  }
  table_.Follow(seen);
}

PadIdTable::Source Win32Joysticks::Follow(int id) {
  Refresh();
  return table_.At(id);
}

bool Win32Joysticks::IsPresent(int id) {
  if (id < 0 || id >= kMaxJoysticks) return false;
  std::lock_guard lock(mutex_);
  const PadIdTable::Source now = Follow(id);
  PadIdTable::Source& said = reported_[id];
  const bool changed = said.kind != PadIdTable::Source::Kind::None && now != said;
  said = changed ? PadIdTable::Source{} : now;
  return !changed && now.kind != PadIdTable::Source::Kind::None;
}

bool Win32Joysticks::GetCaps(int id, JoystickCaps& caps) {
  std::lock_guard lock(mutex_);
  const PadIdTable::Source source = Follow(id);
  if (source.kind == PadIdTable::Source::Kind::Pad) {
    caps = PadCaps(names_[id].empty() ? kPadName : names_[id]);
    return true;
  }
  // The wide call: the name enters the program as UTF-16 and becomes the UTF-8 of the files
  // here, whatever the system's code page.
  JOYCAPSW jc;
  if (source.kind != PadIdTable::Source::Kind::Device ||
      !CapsOf(static_cast<UINT>(source.index), jc)) {
    return false;
  }
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
  caps.layout = ControllerLayout::Joystick;
  SetProductName(caps, NameOf(jc));
  return true;
}

bool Win32Joysticks::GetState(int id, JoystickState& state) {
  std::lock_guard lock(mutex_);
  if (!refreshed_) Refresh();
  const PadIdTable::Source source = table_.At(id);
  if (source.kind == PadIdTable::Source::Kind::Pad) {
    XINPUT_STATE pad{};
    if (getState_(static_cast<DWORD>(source.index), &pad) != ERROR_SUCCESS) return false;
    state = PadState(ReadingOf(pad.Gamepad));
    return true;
  }
  if (source.kind != PadIdTable::Source::Kind::Device) return false;
  JOYINFOEX info{};
  info.dwSize = sizeof(info);
  info.dwFlags = JOY_RETURNALL;
  if (joyGetPosEx(static_cast<UINT>(source.index), &info) != JOYERR_NOERROR) return false;
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
