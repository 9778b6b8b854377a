#include "platform/sim/SimKeyboardLayout.h"

#include <cstring>

namespace seam {

namespace {

struct KeyEntry {
  std::uint8_t vk;
  std::uint8_t scan;
  char ch;
};

// Keys other than letters, digits and F-keys, as the system's US table maps them.
constexpr KeyEntry kKeys[] = {
    {0x03, 0x46, '\x03'},  // Break (Ctrl+Pause)
    {0x08, 0x0E, '\b'},    // Backspace
    {0x09, 0x0F, '\t'},    // Tab
    {0x0C, 0x4C, 0},       // Clear (keypad 5 without Num Lock)
    {0x0D, 0x1C, '\r'},    // Enter
    {0x10, 0x2A, 0},       // Shift
    {0x11, 0x1D, 0},       // Ctrl
    {0x12, 0x38, 0},       // Alt
    {0x13, 0x45, 0},       // Pause
    {0x14, 0x3A, 0},       // Caps Lock
    {0x1B, 0x01, '\x1b'},  // Escape
    {0x20, 0x39, ' '},     // Space
    {0x21, 0x49, 0},       // Page Up
    {0x22, 0x51, 0},       // Page Down
    {0x23, 0x4F, 0},       // End
    {0x24, 0x47, 0},       // Home
    {0x25, 0x4B, 0},       // Left
    {0x26, 0x48, 0},       // Up
    {0x27, 0x4D, 0},       // Right
    {0x28, 0x50, 0},       // Down
    {0x2C, 0x54, 0},       // Print Screen
    {0x2D, 0x52, 0},       // Insert
    {0x2E, 0x53, 0},       // Delete
    {0x5B, 0x5B, 0},       // left Windows
    {0x5C, 0x5C, 0},       // right Windows
    {0x5D, 0x5D, 0},       // Applications
    {0x60, 0x52, '0'},     // keypad 0..9
    {0x61, 0x4F, '1'},    {0x62, 0x50, '2'},  {0x63, 0x51, '3'},  {0x64, 0x4B, '4'},
    {0x65, 0x4C, '5'},    {0x66, 0x4D, '6'},  {0x67, 0x47, '7'},  {0x68, 0x48, '8'},
    {0x69, 0x49, '9'},    {0x6A, 0x37, '*'},  // keypad operators
    {0x6B, 0x4E, '+'},    {0x6D, 0x4A, '-'},  {0x6E, 0x53, '.'},  {0x6F, 0x35, '/'},
    {0x90, 0x45, 0},  // Num Lock
    {0x91, 0x46, 0},  // Scroll Lock
    {0xA0, 0x2A, 0},  // left and right Shift, Ctrl, Alt
    {0xA1, 0x36, 0},      {0xA2, 0x1D, 0},    {0xA3, 0x1D, 0},    {0xA4, 0x38, 0},
    {0xA5, 0x38, 0},      {0xBA, 0x27, ';'},  // punctuation
    {0xBB, 0x0D, '='},    {0xBC, 0x33, ','},  {0xBD, 0x0C, '-'},  {0xBE, 0x34, '.'},
    {0xBF, 0x35, '/'},    {0xC0, 0x29, '`'},  {0xDB, 0x1A, '['},  {0xDC, 0x2B, '\\'},
    {0xDD, 0x1B, ']'},    {0xDE, 0x28, '\''}, {0xE2, 0x56, '\\'},  // the extra key of 102-key
                                                                   // keyboards
};

// Scan codes of the letters A..Z, in alphabetical order.
constexpr std::uint8_t kLetterScans[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                           0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                           0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

// Scan codes of F1..F24.
constexpr std::uint8_t kFunctionScans[24] = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42,
                                             0x43, 0x44, 0x57, 0x58, 0x64, 0x65, 0x66, 0x67,
                                             0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x76};

// Shifted characters of the digit keys 0..9 and of the punctuation keys.
constexpr char kShiftedDigits[] = ")!@#$%^&*(";
struct Punctuation {
  char plain;
  char shifted;
  std::uint8_t vk;
};
constexpr Punctuation kPunctuation[] = {
    {';', ':', 0xBA},  {'=', '+', 0xBB}, {',', '<', 0xBC},  {'-', '_', 0xBD},
    {'.', '>', 0xBE},  {'/', '?', 0xBF}, {'`', '~', 0xC0},  {'[', '{', 0xDB},
    {'\\', '|', 0xDC}, {']', '}', 0xDD}, {'\'', '"', 0xDE},
};

constexpr std::int16_t kNoKey = -1;
constexpr std::int16_t kVkReturn = 0x0D;
constexpr std::int16_t kVkBack = 0x08;

}  // namespace

SimKeyboardLayout::SimKeyboardLayout() {
  for (int i = 0; i < 26; ++i) keys_['A' + i] = {kLetterScans[i], static_cast<char>('A' + i)};
  keys_['0'] = {0x0B, '0'};
  for (int i = 1; i <= 9; ++i)
    keys_['0' + i] = {static_cast<std::uint8_t>(0x01 + i), static_cast<char>('0' + i)};
  for (int i = 0; i < 24; ++i) keys_[0x70 + i] = {kFunctionScans[i], 0};
  for (const KeyEntry& k : kKeys) keys_[k.vk] = {k.scan, k.ch};
}

unsigned SimKeyboardLayout::MapKey(unsigned code, unsigned mapType) {
  if (code >= keys_.size()) return 0;
  const Key& key = keys_[code];
  switch (mapType) {
    case kMapVkToScan:
      return key.scan;
    case kMapVkToChar:
      return static_cast<unsigned char>(key.ch);
    default:
      return 0;
  }
}

std::int16_t SimKeyboardLayout::KeyForChar(char ch) {
  const unsigned char c = static_cast<unsigned char>(ch);
  if (c >= 'a' && c <= 'z') return static_cast<std::int16_t>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<std::int16_t>(kShiftStateShift | c);
  if (c >= '0' && c <= '9') return static_cast<std::int16_t>(c);
  if (const char* digit = std::strchr(kShiftedDigits, c); c != 0 && digit != nullptr) {
    return static_cast<std::int16_t>(kShiftStateShift | ('0' + (digit - kShiftedDigits)));
  }
  for (const Punctuation& p : kPunctuation) {
    if (c == static_cast<unsigned char>(p.plain)) return p.vk;
    if (c == static_cast<unsigned char>(p.shifted)) {
      return static_cast<std::int16_t>(kShiftStateShift | p.vk);
    }
  }
  switch (c) {
    case ' ':
      return 0x20;
    case '\b':
      return kVkBack;
    case '\t':
      return 0x09;
    case '\r':
      return kVkReturn;
    case '\n':  // Ctrl+Enter
      return static_cast<std::int16_t>(kShiftStateCtrl | kVkReturn);
    case 0x03:  // Break
      return 0x03;
    case 0x1B:
      return 0x1B;
    case 0x1C:  // Ctrl+backslash
      return static_cast<std::int16_t>(kShiftStateCtrl | 0xDC);
    case 0x1D:  // Ctrl+right bracket
      return static_cast<std::int16_t>(kShiftStateCtrl | 0xDD);
    case 0x1E:  // Ctrl+Shift+6
      return static_cast<std::int16_t>(kShiftStateCtrl | kShiftStateShift | '6');
    case 0x1F:  // Ctrl+Shift+minus
      return static_cast<std::int16_t>(kShiftStateCtrl | kShiftStateShift | 0xBD);
    case 0x7F:  // Ctrl+Backspace
      return static_cast<std::int16_t>(kShiftStateCtrl | kVkBack);
    default:
      break;
  }
  // The other control characters are Ctrl with a letter.
  if (c >= 0x01 && c <= 0x1A) return static_cast<std::int16_t>(kShiftStateCtrl | ('A' + c - 1));
  return kNoKey;
}

}  // namespace seam
