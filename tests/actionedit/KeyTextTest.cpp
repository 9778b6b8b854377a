#include <gtest/gtest.h>

#include <cstring>

#include "actionedit/KeyText.h"
#include "support/VirtualWorld.h"

namespace actionedit {
namespace {

// What the field keeps of the typed text; null when the filter accepts it.
TEST(KeyTextTest, FilterKeepsOneCharacterOrZeroXWithTwoHexDigits) {
  const std::pair<const char*, const char*> cases[] = {
      {"", nullptr}, {"A", nullptr}, {"0x", nullptr}, {"0x41", nullptr}, {"0xfF", nullptr},
      {"0X", "0"},   {"AB", "A"},    {"x1", "x"},     {"0xg", "0x"},     {"0x4g", "0x4"}};
  for (const auto& [typed, kept] : cases) {
    const auto expected = kept ? std::optional(KeyTextCut{kept, std::strlen(kept)}) : std::nullopt;
    EXPECT_EQ(FilterKeyText(typed), expected) << typed;
  }
}

TEST(KeyTextTest, KeyCodesFromTextAndBack) {
  VirtualWorld world;  // the United States keyboard layout
  struct Case {
    const char* text;
    unsigned code;
  };
  const Case fromText[] = {{"A", 65},     {"a", 65}, {"1", 0x31}, {"0x9", 9},   {"0x41", 65},
                           {"0xfF", 255}, {"", 0},   {"0x", 0},   {"\xE9", 255}};
  for (const Case& c : fromText) EXPECT_EQ(KeyCodeFromText(c.text), c.code) << c.text;

  const Case toText[] = {{"0x41", 65}, {"0x9", 9}, {"0x0", 0}, {"0xFF", 0x1FF}};
  for (const Case& c : toText) {
    EXPECT_EQ(KeyCodeText(c.code), c.text);
    EXPECT_EQ(KeyCodeFromText(KeyCodeText(c.code)), c.code & 0xFF) << c.text;
  }
}

}  // namespace
}  // namespace actionedit
