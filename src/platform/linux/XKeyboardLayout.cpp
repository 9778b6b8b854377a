#include "platform/linux/XKeyboardLayout.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include "platform/XKeyTable.h"
#include "platform/linux/XConnection.h"

namespace seam {

namespace {

constexpr unsigned kEvdevOffset = 8;  // X keycodes are the kernel's key codes plus 8

// The character of a keysym typed without Shift, as the Windows layout reports it (letters
// upper case, control keys as their control characters).
unsigned CharacterOf(std::uint32_t keysym) {
  if (keysym >= 'a' && keysym <= 'z') return keysym - 'a' + 'A';
  if (keysym >= 0x20 && keysym < 0x7F) return keysym;
  switch (keysym) {
    case 0xFF08:
      return '\b';
    case 0xFF09:
      return '\t';
    case 0xFF0D:
      return '\r';
    case 0xFF1B:
      return 0x1B;
    default:
      return 0;
  }
}

}  // namespace

unsigned XKeyboardLayout::MapKey(unsigned code, unsigned mapType) {
  const auto keysym =
      code < 256 ? KeysymForVirtualKey(static_cast<std::uint8_t>(code)) : std::nullopt;
  if (!keysym) return 0;
  if (mapType == kMapVkToChar) return CharacterOf(*keysym);
  if (mapType != kMapVkToScan) return 0;
  auto lock = connection_.Lock();
  if (connection_.Lost()) return 0;
  const KeyCode keycode = XKeysymToKeycode(connection_.display(), *keysym);
  return keycode >= kEvdevOffset ? keycode - kEvdevOffset : 0;
}

std::int16_t XKeyboardLayout::KeyForChar(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if (c < 0x20 || c >= 0x7F) return -1;
  auto lock = connection_.Lock();
  if (connection_.Lost()) return -1;
  Display* display = connection_.display();
  // Printable ASCII characters are their own keysyms.
  const KeyCode keycode = XKeysymToKeycode(display, c);
  if (keycode == 0) return -1;
  const bool shifted = XkbKeycodeToKeysym(display, keycode, 0, 0) != c;
  for (const XKeyEntry& key : XKeyTable()) {
    if (XKeysymToKeycode(display, key.keysym) == keycode) {
      return static_cast<std::int16_t>(key.vk | (shifted ? 0x100 : 0));
    }
  }
  return -1;
}

}  // namespace seam
