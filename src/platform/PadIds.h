// Which device stands behind each controller ID where two interfaces serve the same pads. On
// Windows XInput serves Xbox-style pads (up to four users), and the joystick interface lists
// those pads too, among its own devices at IDs 0..15; a pad must count once, read through
// XInput, whose triggers are two inputs.
//
// - A device of the joystick interface keeps its ID there, as it always had.
// - A pad takes an ID when XInput first reports it, and keeps it while XInput reports it: the
//   lowest ID of a device that the joystick interface lists as a pad (its twin) and no other
//   pad holds, so that it keeps the ID it had before it was read through XInput; else the
//   lowest ID of the interface without a device.
// - As many twins as there are pads are not shown (those the pads hold first): a pad whose
//   twin appears at another ID after the pad (the interfaces report a new device one after
//   the other) still counts once. Twins beyond the number of pads (XInput serves four pads
//   at most) stay devices of the joystick interface.
// - A device of the joystick interface at an ID a pad holds waits until the pad has gone.
//
// Not thread-safe: its adapter guards it.
#pragma once

#include <array>
#include <string_view>

#include "platform/Types.h"

namespace seam {

// The names the joystick interface gives the pads XInput serves: "Controller (...", as the
// pads' driver names them ("Controller (XBOX 360 For Windows)", which the interface's 31
// characters cut to "Controller (XBOX 360 For Window"), and "... XINPUT ..." (any case), as
// Windows names those connected over Bluetooth.
bool IsXInputDeviceName(std::string_view name);

class PadIdTable {
 public:
  static constexpr int kPads = 4;

  // What the two interfaces report at one moment.
  struct Seen {
    std::array<bool, kMaxJoysticks> device{};  // the joystick interface has a device at the ID
    std::array<bool, kMaxJoysticks> twin{};    // ... that it names as a pad of the other one
    std::array<bool, kPads> pad{};             // the pad interface has a pad at the index
  };

  struct Source {
    enum class Kind { None, Device, Pad };
    Kind kind = Kind::None;
    int index = -1;  // Device: its ID in the joystick interface; Pad: its index there
    bool operator==(const Source&) const = default;
  };

  void Follow(const Seen& seen);
  Source At(int id) const;

 private:
  bool Held(int id) const;
  int FreeId(const Seen& seen) const;

  std::array<int, kPads> padIds_{-1, -1, -1, -1};  // the ID each pad holds, or -1
  std::array<bool, kMaxJoysticks> shown_{};        // a device of the joystick interface
};

}  // namespace seam
