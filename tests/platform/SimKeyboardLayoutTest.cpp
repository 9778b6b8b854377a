// The simulated US layout: virtual key to scan code and character, character to key and shift.
#include <gtest/gtest.h>

#include <cctype>

#include "platform/sim/SimKeyboardLayout.h"

namespace {

using seam::kMapVkToChar;
using seam::kMapVkToScan;

// Values as the system returns them for the US layout; unknown keys, mouse buttons and codes
// above one byte give 0, and so do the characters of keys that type none (the virtual-key
// action sends those as extended keys).
TEST(SimKeyboardLayout, MapsKeysAsTheSystemDoes) {
  const struct {
    unsigned vk, scan, ch;
  } keys[] = {
      {'A', 0x1E, 'A'},   {'Z', 0x2C, 'Z'},  {'0', 0x0B, '0'},  {0x0D, 0x1C, '\r'},
      {0x1B, 0x01, 0x1B}, {0x11, 0x1D, 0},   {0xA1, 0x36, 0},   {0x25, 0x4B, 0},
      {0x2D, 0x52, 0},    {0x70, 0x3B, 0},   {0x7B, 0x58, 0},   {0x87, 0x76, 0},
      {0x60, 0x52, '0'},  {0x6F, 0x35, '/'}, {0xBA, 0x27, ';'}, {0xDE, 0x28, '\''},
      {0x00, 0, 0},       {0x01, 0, 0},      {0xFF, 0, 0},      {0x141, 0, 0},
  };
  seam::SimKeyboardLayout layout;
  for (const auto& k : keys) {
    SCOPED_TRACE(testing::Message() << "vk 0x" << std::hex << k.vk);
    EXPECT_EQ(layout.MapVirtualKey(k.vk, kMapVkToScan), k.scan);
    EXPECT_EQ(layout.MapVirtualKey(k.vk, kMapVkToChar), k.ch);
  }
  EXPECT_EQ(layout.MapVirtualKey('A', 7), 0u);  // an unknown map type
  // Ctrl+A for 0x01, the main '+' key rather than the keypad's, -1 for what no key types.
  const std::pair<char, int> chars[] = {{'\n', 0x20D}, {'\x01', 0x241}, {'+', 0x1BB},
                                        {'\0', -1},    {'\xE9', -1},    {'\xFF', -1}};
  for (const auto& [c, result] : chars) EXPECT_EQ(layout.VkKeyScan(c), result) << int(c);
}

// The key VkKeyScan names types the character: unshifted, its character is the character
// itself (letters in upper case); shifted, the shifted character of that key.
TEST(SimKeyboardLayout, EveryPrintableCharacterRoundTripsThroughItsKey) {
  seam::SimKeyboardLayout layout;
  const std::string unshifted = "`1234567890-=[]\\;',./";
  const std::string shifted = "~!@#$%^&*()_+{}|:\"<>?";
  for (int c = 0x20; c < 0x7F; ++c) {
    SCOPED_TRACE(testing::Message() << "character '" << static_cast<char>(c) << "'");
    const std::int16_t result = layout.VkKeyScan(static_cast<char>(c));
    ASSERT_NE(result, -1);
    const unsigned vk = static_cast<unsigned>(result) & 0xFF;
    const unsigned shift = (static_cast<unsigned>(result) >> 8) & 0xFF;
    const unsigned ch = layout.MapVirtualKey(vk, kMapVkToChar);
    EXPECT_NE(layout.MapVirtualKey(vk, kMapVkToScan), 0u);
    if (std::isupper(c) || shift == 0) {
      EXPECT_EQ(shift, std::isupper(c) ? 1u : 0u);
      EXPECT_EQ(ch, static_cast<unsigned>(std::toupper(c)));
    } else {
      ASSERT_EQ(shift, 1u);
      const auto at = shifted.find(static_cast<char>(c));
      ASSERT_NE(at, std::string::npos);
      EXPECT_EQ(ch, static_cast<unsigned char>(unshifted[at]));
    }
  }
}

}  // namespace
