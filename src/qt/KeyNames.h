// Keys by their names on Linux: the files keep the Windows virtual-key codes, the window shows
// the X key the program sends for each (the one table is platform/XKeyTable).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qtui {

// "Return", "a", "F5", "Super_L", "XF86AudioPlay": the X name of the key sent for the code;
// the mouse buttons and codes the Linux program cannot send by their Windows names, the latter
// with "(not sent on Linux)"; empty for 0.
std::string LinuxKeyName(unsigned code);

// The code a key pressed on the X server stands for: its keysym without modifiers (the key that
// types "!" is the "1" key, the one that types "<" with Shift is ","), else its keysym as typed
// (keypad digits with Num Lock); none when the table holds neither.
std::optional<std::uint8_t> VirtualKeyOfXKey(std::uint32_t plainKeysym, std::uint32_t typedKeysym);

}  // namespace qtui
