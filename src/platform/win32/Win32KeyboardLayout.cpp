#include "platform/win32/Win32KeyboardLayout.h"

#include <windows.h>

namespace seam {

unsigned Win32KeyboardLayout::MapKey(unsigned code, unsigned mapType) {
  return ::MapVirtualKeyA(code, mapType);
}

std::int16_t Win32KeyboardLayout::KeyForChar(char ch) { return ::VkKeyScanA(ch); }

}  // namespace seam
