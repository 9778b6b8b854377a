// The keyboard layout as the X server maps it, by the shared virtual-key table: the character a
// virtual key types unshifted, its keycode (as the scan code the seam carries) and, for the
// one-character key values of the files, the virtual key and shift state that type a character.
#pragma once

#include "platform/Platform.h"

namespace seam {

class XConnection;

class XKeyboardLayout : public IKeyboardLayout {
 public:
  explicit XKeyboardLayout(XConnection& connection) : connection_(connection) {}

  unsigned MapKey(unsigned code, unsigned mapType) override;
  std::int16_t KeyForChar(char ch) override;

 private:
  XConnection& connection_;
};

}  // namespace seam
