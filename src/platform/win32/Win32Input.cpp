#include "platform/win32/Win32Input.h"

#include <windows.h>

namespace seam {

void Win32Input::KeyboardEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) {
  keybd_event(vk, scan, flags, 0);
}

void Win32Input::MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                            std::int32_t data) {
  // Relative moves and wheel deltas are signed values passed in unsigned parameters.
  mouse_event(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), static_cast<DWORD>(data), 0);
}

}  // namespace seam
