// The key text of the virtual-key panel: one character (the key that types it) or "0x" followed
// by at most two hexadecimal digits. The panel's edit field runs FilterKeyText on every change
// and converts between the text and the key code with KeyCodeFromText and KeyCodeText.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace actionedit {

// The edit field's text limit; the filter reads no more than this.
constexpr std::size_t kKeyTextLimit = 4;

// A text the filter cut back: the field gets `text`, with the caret at `caret`. Writing it runs
// the filter again, which then accepts.
struct KeyTextCut {
  std::string text;
  std::size_t caret = 0;
  bool operator==(const KeyTextCut&) const = default;
};

// Nothing when `text` is acceptable as typed so far; otherwise the shortened text. A text of
// two or more characters must start with "0x" (lower-case x) and continue with hexadecimal
// digits; the first offending character and everything after it are cut.
std::optional<KeyTextCut> FilterKeyText(std::string_view text);

// The key code a key text stands for: for one character, the low byte of the keyboard layout's
// VkKeyScan (the key that types it, shift state dropped; 255 when no key types it); otherwise
// the low 8 bits of the text's hexadecimal fold, as the actions file's key values are read
// (so "0x41" gives 65 and the empty text 0).
unsigned char KeyCodeFromText(std::string_view text);

// The text the panel shows for a key code: "0x%X" of its low 8 bits (65 shows as "0x41").
std::string KeyCodeText(unsigned code);

// The name the panel shows beside the field for a key code ("F5", "Enter", "Left Windows",
// "Right Button", "A"), by the virtual-key codes' own meaning (punctuation keys as a US
// keyboard labels them); "Key 0x97" for a code without a name, empty for 0.
std::string KeyName(unsigned code);

}  // namespace actionedit
