#include "platform/win32/Win32KeyboardLayout.h"

#include <windows.h>
// Our methods bear the names windows.h uses as macros.
#undef MapVirtualKey
#undef VkKeyScan

namespace seam {

unsigned Win32KeyboardLayout::MapVirtualKey(unsigned code, unsigned mapType) {
  return MapVirtualKeyA(code, mapType);
}

std::int16_t Win32KeyboardLayout::VkKeyScan(char ch) { return VkKeyScanA(ch); }

}  // namespace seam
