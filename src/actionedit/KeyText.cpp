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

}  // namespace actionedit
