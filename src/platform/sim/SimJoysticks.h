// Scripted game controllers for IDs 0..15: tests plug and unplug them, give them capabilities
// and set the state that the next polls read.
#pragma once

#include <array>
#include <mutex>
#include <string_view>

#include "platform/Platform.h"

namespace seam {

// Capabilities of a controller with X and Y plus the extra axes named by the letters of
// `axes` (any of "ZRUV"; X and Y are always there, other letters are ignored), `buttons`
// buttons (at most 32), an optional POV hat, every axis ranging over min..max, and a product
// name (cut to 31 characters).
JoystickCaps MakeJoystickCaps(std::string_view axes, unsigned buttons, bool hat,
                              std::uint32_t min = 0, std::uint32_t max = 65535,
                              std::string_view name = "Simulated Gamepad");

// A state with every axis in the middle of its range, no button down and the hat centred.
JoystickState CenteredJoystickState(const JoystickCaps& caps);

class SimJoysticks : public IJoysticks {
 public:
  bool IsPresent(int id) override;
  bool GetCaps(int id, JoystickCaps& caps) override;
  bool GetState(int id, JoystickState& state) override;

  // Plugs a controller in with these capabilities; its state starts centred.
  void Plug(int id, const JoystickCaps& caps);
  void Unplug(int id);
  // While set, a present controller's capabilities cannot be read (as a driver that answers
  // the position query but not the capabilities query).
  void SetCapsFailure(int id, bool failing);
  // The state returned by every following read until the next change.
  void SetState(int id, const JoystickState& state);
  JoystickState State(int id);
  // Shorthands that change one part of the current state; the button shorthands keep the
  // count of buttons down (buttonNumber) in step with the bits.
  void SetButtons(int id, std::uint32_t buttons);
  void PressButton(int id, int number);    // number 1..32
  void ReleaseButton(int id, int number);  // number 1..32
  void SetPov(int id, std::uint32_t pov);
  // axis is one of 'X', 'Y', 'Z', 'R', 'U', 'V' (any case); others are ignored.
  void SetAxis(int id, char axis, std::uint32_t position);
  // Successful state reads of a controller since it was plugged in.
  int StateReads(int id);

 private:
  struct Slot {
    bool present = false;
    bool capsFailing = false;
    JoystickCaps caps;
    JoystickState state;
    int stateReads = 0;
  };
  // Returns the slot of a valid ID, nullptr otherwise. Requires lock_.
  Slot* Find(int id);

  std::mutex lock_;  // guards slots_
  std::array<Slot, kMaxJoysticks> slots_;
};

}  // namespace seam
