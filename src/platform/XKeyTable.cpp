#include "platform/XKeyTable.h"

#include <algorithm>
#include <array>

namespace seam {

namespace {

constexpr std::uint32_t kXF86 = 0x1008FF00;  // base of the XF86 media keysyms

// Letters, digits and F1..F24 are added by the builder below; these are the rest.
constexpr XKeyEntry kNamedKeys[] = {
    {0x03, 0xFF6B},        // Break
    {0x08, 0xFF08},        // Backspace
    {0x09, 0xFF09},        // Tab
    {0x0C, 0xFF9D},        // Clear: keypad 5 without Num Lock (KP_Begin)
    {0x0D, 0xFF0D},        // Enter
    {0x10, 0xFFE1},        // Shift
    {0x11, 0xFFE3},        // Ctrl
    {0x12, 0xFFE9},        // Alt
    {0x13, 0xFF13},        // Pause
    {0x14, 0xFFE5},        // Caps Lock
    {0x1B, 0xFF1B},        // Escape
    {0x20, 0x0020},        // Space
    {0x21, 0xFF55},        // Page Up
    {0x22, 0xFF56},        // Page Down
    {0x23, 0xFF57},        // End
    {0x24, 0xFF50},        // Home
    {0x25, 0xFF51},        // Left
    {0x26, 0xFF52},        // Up
    {0x27, 0xFF53},        // Right
    {0x28, 0xFF54},        // Down
    {0x29, 0xFF60},        // Select
    {0x2A, 0xFF61},        // Print
    {0x2B, 0xFF62},        // Execute
    {0x2C, 0xFF61},        // Print Screen
    {0x2D, 0xFF63},        // Insert
    {0x2E, 0xFFFF},        // Delete
    {0x2F, 0xFF6A},        // Help
    {0x5B, 0xFFEB},        // left Windows (Super)
    {0x5C, 0xFFEC},        // right Windows (Super)
    {0x5D, 0xFF67},        // Applications (Menu)
    {0x5F, kXF86 + 0x2F},  // Sleep
    {0x6A, 0xFFAA},        // keypad *
    {0x6B, 0xFFAB},        // keypad +
    {0x6C, 0xFFAC},        // keypad separator
    {0x6D, 0xFFAD},        // keypad -
    {0x6E, 0xFFAE},        // keypad .
    {0x6F, 0xFFAF},        // keypad /
    {0x90, 0xFF7F},        // Num Lock
    {0x91, 0xFF14},        // Scroll Lock
    {0xA0, 0xFFE1},        // left Shift
    {0xA1, 0xFFE2},        // right Shift
    {0xA2, 0xFFE3},        // left Ctrl
    {0xA3, 0xFFE4},        // right Ctrl
    {0xA4, 0xFFE9},        // left Alt
    {0xA5, 0xFFEA},        // right Alt
    {0xA6, kXF86 + 0x26},  // browser Back
    {0xA7, kXF86 + 0x27},  // browser Forward
    {0xA8, kXF86 + 0x29},  // browser Refresh
    {0xA9, kXF86 + 0x28},  // browser Stop
    {0xAA, kXF86 + 0x1B},  // browser Search
    {0xAB, kXF86 + 0x30},  // browser Favorites
    {0xAC, kXF86 + 0x18},  // browser Home
    {0xAD, kXF86 + 0x12},  // volume mute
    {0xAE, kXF86 + 0x11},  // volume down
    {0xAF, kXF86 + 0x13},  // volume up
    {0xB0, kXF86 + 0x17},  // next track
    {0xB1, kXF86 + 0x16},  // previous track
    {0xB2, kXF86 + 0x15},  // stop
    {0xB3, kXF86 + 0x14},  // play/pause
    {0xB4, kXF86 + 0x19},  // mail
    {0xB5, kXF86 + 0x32},  // media player
    {0xB6, kXF86 + 0x33},  // launch application 1 (My Computer)
    {0xB7, kXF86 + 0x1D},  // launch application 2 (Calculator)
    {0xBA, ';'},          {0xBB, '='}, {0xBC, ','}, {0xBD, '-'},  {0xBE, '.'},
    {0xBF, '/'},          {0xC0, '`'}, {0xDB, '['}, {0xDC, '\\'}, {0xDD, ']'},
    {0xDE, '\''},         {0xE2, '<'},  // the extra key of 102-key keyboards
};

constexpr std::size_t kTableSize = 26 + 10 + 24 + 10 + std::size(kNamedKeys);

constexpr std::array<XKeyEntry, kTableSize> BuildTable() {
  std::array<XKeyEntry, kTableSize> table{};
  std::size_t n = 0;
  for (int i = 0; i < 10; ++i) table[n++] = {std::uint8_t(0x30 + i), std::uint32_t('0' + i)};
  for (int i = 0; i < 26; ++i) table[n++] = {std::uint8_t(0x41 + i), std::uint32_t('a' + i)};
  for (int i = 0; i < 10; ++i) table[n++] = {std::uint8_t(0x60 + i), 0xFFB0u + i};  // keypad 0..9
  for (int i = 0; i < 24; ++i) table[n++] = {std::uint8_t(0x70 + i), 0xFFBEu + i};  // F1..F24
  for (const XKeyEntry& key : kNamedKeys) table[n++] = key;
  std::sort(table.begin(), table.end(),
            [](const XKeyEntry& a, const XKeyEntry& b) { return a.vk < b.vk; });
  return table;
}

constexpr auto kTable = BuildTable();

}  // namespace

std::span<const XKeyEntry> XKeyTable() { return kTable; }

std::optional<std::uint32_t> KeysymForVirtualKey(std::uint8_t vk) {
  const auto* found = std::lower_bound(kTable.begin(), kTable.end(), vk,
                                       [](const XKeyEntry& e, std::uint8_t v) { return e.vk < v; });
  if (found == kTable.end() || found->vk != vk) return std::nullopt;
  return found->keysym;
}

std::optional<std::uint8_t> VirtualKeyForKeysym(std::uint32_t keysym) {
  const auto found = std::find_if(kTable.rbegin(), kTable.rend(),
                                  [keysym](const XKeyEntry& e) { return e.keysym == keysym; });
  if (found == kTable.rend()) return std::nullopt;
  return found->vk;
}

unsigned XButtonForVirtualKey(std::uint8_t vk) {
  switch (vk) {
    case 0x01:
      return 1;
    case 0x02:
      return 3;
    case 0x04:
      return 2;
    default:
      return 0;
  }
}

bool XCanSendVirtualKey(std::uint8_t vk) {
  return XButtonForVirtualKey(vk) != 0 || KeysymForVirtualKey(vk).has_value();
}

}  // namespace seam
