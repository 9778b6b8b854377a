#include "actionedit/KeyText.h"

#include <cstdio>

#include "actions/TextRules.h"
#include "platform/Platform.h"

namespace actionedit {

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

KeyTextCut CutTo(std::string_view text, std::size_t length) {
  return {std::string(text.substr(0, length)), length};
}

}  // namespace

std::optional<KeyTextCut> FilterKeyText(std::string_view text) {
  text = text.substr(0, kKeyTextLimit);
  if (text.size() < 2) return std::nullopt;
  if (text[0] != '0' || text[1] != 'x') return CutTo(text, 1);
  if (text.size() > 2 && !IsHexDigit(text[2])) return CutTo(text, 2);
  if (text.size() > 3 && !IsHexDigit(text[3])) return CutTo(text, 3);
  return std::nullopt;
}

unsigned char KeyCodeFromText(std::string_view text) {
  if (text.size() == 1) {
    return static_cast<unsigned char>(seam::KeyboardLayout().KeyForChar(text[0]) & 0xFF);
  }
  return static_cast<unsigned char>(actions::FoldHexDigits(text) & 0xFF);
}

std::string KeyCodeText(unsigned code) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%X", code & 0xFFu);
  return text;
}

namespace {

struct NamedKey {
  unsigned code;
  const char* name;
};

// The keys that have a name of their own; letters, digits, F1-F24 and the number pad's digits
// are named by rule.
constexpr NamedKey kKeyNames[] = {{0x01, "Left Button"},
                                  {0x02, "Right Button"},
                                  {0x03, "Break"},
                                  {0x04, "Middle Button"},
                                  {0x05, "X Button 1"},
                                  {0x06, "X Button 2"},
                                  {0x08, "Backspace"},
                                  {0x09, "Tab"},
                                  {0x0C, "Clear"},
                                  {0x0D, "Enter"},
                                  {0x10, "Shift"},
                                  {0x11, "Ctrl"},
                                  {0x12, "Alt"},
                                  {0x13, "Pause"},
                                  {0x14, "Caps Lock"},
                                  {0x1B, "Esc"},
                                  {0x20, "Space"},
                                  {0x21, "Page Up"},
                                  {0x22, "Page Down"},
                                  {0x23, "End"},
                                  {0x24, "Home"},
                                  {0x25, "Left"},
                                  {0x26, "Up"},
                                  {0x27, "Right"},
                                  {0x28, "Down"},
                                  {0x2C, "Print Screen"},
                                  {0x2D, "Insert"},
                                  {0x2E, "Delete"},
                                  {0x2F, "Help"},
                                  {0x5B, "Left Windows"},
                                  {0x5C, "Right Windows"},
                                  {0x5D, "Menu"},
                                  {0x5F, "Sleep"},
                                  {0x6A, "Num *"},
                                  {0x6B, "Num +"},
                                  {0x6C, "Num ,"},
                                  {0x6D, "Num -"},
                                  {0x6E, "Num ."},
                                  {0x6F, "Num /"},
                                  {0x90, "Num Lock"},
                                  {0x91, "Scroll Lock"},
                                  {0xA0, "Left Shift"},
                                  {0xA1, "Right Shift"},
                                  {0xA2, "Left Ctrl"},
                                  {0xA3, "Right Ctrl"},
                                  {0xA4, "Left Alt"},
                                  {0xA5, "Right Alt"},
                                  {0xAD, "Mute"},
                                  {0xAE, "Volume Down"},
                                  {0xAF, "Volume Up"},
                                  {0xB0, "Next Track"},
                                  {0xB1, "Previous Track"},
                                  {0xB2, "Stop"},
                                  {0xB3, "Play/Pause"},
                                  {0xBA, ";"},
                                  {0xBB, "="},
                                  {0xBC, ","},
                                  {0xBD, "-"},
                                  {0xBE, "."},
                                  {0xBF, "/"},
                                  {0xC0, "`"},
                                  {0xDB, "["},
                                  {0xDC, "\\"},
                                  {0xDD, "]"},
                                  {0xDE, "'"},
                                  {0xE2, "<>"}};

}  // namespace

std::string KeyName(unsigned code) {
  code &= 0xFF;
  if (code == 0) return {};
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
    return std::string(1, static_cast<char>(code));
  }
  if (code >= 0x60 && code <= 0x69) return "Num " + std::to_string(code - 0x60);
  if (code >= 0x70 && code <= 0x87) return "F" + std::to_string(code - 0x70 + 1);
  for (const NamedKey& key : kKeyNames) {
    if (key.code == code) return key.name;
  }
  return "Key " + KeyCodeText(code);
}

}  // namespace actionedit
