// The controllers of Windows: Xbox-style pads through XInput, presented in the pad layout
// (PadLayout.h: each trigger an input of its own), every other controller through the
// multimedia joystick functions as before. The joystick interface lists XInput's pads too
// (IsXInputDeviceName): PadIdTable makes each device count once and keep its ID.
//
// The table follows the devices when presence is asked for (the configuration's hot-plug check
// asks for every ID once a second), at most every kRefreshMs, so a poll reads only its own
// device. When the interface behind an ID changes (the joystick interface listed a new pad a
// moment before XInput did), the ID reads absent once, so that its controller is opened anew
// with the pad's inputs.
//
// Threads: mutex_ guards the table, what was last said of each ID and the names; the system
// serialises its own driver access.
#pragma once

#include <windows.h>

#include <array>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "platform/PadIds.h"
#include "platform/Platform.h"

namespace seam {

class Win32Joysticks : public IJoysticks {
 public:
  static constexpr std::chrono::milliseconds kRefreshMs{100};

  // XInput from the first of these libraries that loads; none loads: the joystick interface
  // alone.
  explicit Win32Joysticks(const std::vector<std::wstring>& xinputLibraries = {L"xinput1_4.dll",
                                                                              L"xinput9_1_0.dll"});
  Win32Joysticks(const Win32Joysticks&) = delete;
  Win32Joysticks& operator=(const Win32Joysticks&) = delete;

  bool IsPresent(int id) override;
  // A pad's caps (PadCaps) under its twin's name, or joyGetDevCapsW with the name as UTF-8; on
  // failure the record is left as it was.
  bool GetCaps(int id, JoystickCaps& caps) override;
  // XInputGetState, or joyGetPosEx with JOY_RETURNALL; on failure the record is left as it was.
  bool GetState(int id, JoystickState& state) override;

 private:
  using XInputGetStateCall = DWORD(WINAPI*)(DWORD, void*);

  // These need mutex_.
  PadIdTable::Source Follow(int id);
  void Refresh();

  // Loaded for the process's life: unloading XInput waits for its device thread while the
  // loader is locked, which that thread's end needs (Wine's hangs so at the program's exit).
  HMODULE xinput_ = nullptr;
  XInputGetStateCall getState_ = nullptr;
  std::mutex mutex_;
  PadIdTable table_;
  std::array<PadIdTable::Source, kMaxJoysticks> reported_{};  // what IsPresent last said
  std::array<std::string, kMaxJoysticks> names_;              // of the joystick interface's devices
  std::chrono::steady_clock::time_point lastRefresh_{};
  bool refreshed_ = false;
};

}  // namespace seam
