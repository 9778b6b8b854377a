// The United States keyboard layout as the system reports it: virtual key to set-1 scan code
// and to unshifted character, and character to virtual key with the shift state.
#pragma once

#include <array>
#include <cstdint>

#include "platform/Platform.h"

namespace seam {

// High-byte bits of VkKeyScan's result.
constexpr std::int16_t kShiftStateShift = 0x100;
constexpr std::int16_t kShiftStateCtrl = 0x200;

class SimKeyboardLayout : public IKeyboardLayout {
 public:
  SimKeyboardLayout();

  // kMapVkToScan: the scan code without its E0 prefix (right Ctrl gives 0x1D as left Ctrl).
  // kMapVkToChar: letters in upper case, digits, punctuation of the unshifted key, and the
  // control characters of Backspace, Tab, Enter, Escape and Break; 0 for every key without
  // one. Other map types and codes above 255 give 0.
  unsigned MapKey(unsigned code, unsigned mapType) override;
  // Printable ASCII and the control characters a US keyboard types; -1 for the rest.
  std::int16_t KeyForChar(char ch) override;

 private:
  struct Key {
    std::uint8_t scan = 0;
    char ch = 0;
  };
  // Immutable after construction, so it needs no lock.
  std::array<Key, 256> keys_;
};

}  // namespace seam
