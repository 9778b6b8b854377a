// The one table from the files' Windows virtual-key codes to X keysyms: what the Linux program
// sends through XTest for each key, and what tandrel-cli's check uses to warn about keys the
// Linux program cannot send. Keysyms are protocol values (keysymdef.h, XF86keysym.h), so the
// table needs no X header and builds everywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace seam {

struct XKeyEntry {
  std::uint8_t vk;
  std::uint32_t keysym;
};

// Every key the table knows, in virtual-key order.
std::span<const XKeyEntry> XKeyTable();

// The keysym the Linux program sends for a virtual key; none when it cannot send it.
std::optional<std::uint32_t> KeysymForVirtualKey(std::uint8_t vk);

// The virtual key whose key the Linux program sends as this keysym: the last of the table, so
// the left-hand Shift, Ctrl and Alt give their own codes (0xA0, 0xA2, 0xA4) as a keyboard hook
// on Windows reports them; none for a keysym the table does not hold.
std::optional<std::uint8_t> VirtualKeyForKeysym(std::uint32_t keysym);

// The X pointer button of the virtual keys the engine sends as mouse buttons (1 left, 2 middle,
// 3 right); 0 for every other key.
unsigned XButtonForVirtualKey(std::uint8_t vk);

// Whether the Linux program can send this virtual key: a key of the table or a mouse button.
bool XCanSendVirtualKey(std::uint8_t vk);

}  // namespace seam
