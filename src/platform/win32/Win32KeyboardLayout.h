// Key mapping through the keyboard layout of the calling thread.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Stateless.
class Win32KeyboardLayout : public IKeyboardLayout {
 public:
  unsigned MapKey(unsigned code, unsigned mapType) override;
  std::int16_t KeyForChar(char ch) override;
};

}  // namespace seam
