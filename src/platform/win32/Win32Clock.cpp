#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace seam {

std::uint32_t Win32Clock::TickCount() { return GetTickCount(); }

}  // namespace seam
