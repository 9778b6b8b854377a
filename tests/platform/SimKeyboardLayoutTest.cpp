// The simulated US layout: virtual key to scan code and character, character to key and shift.
#include <gtest/gtest.h>

#include <cctype>

#include "platform/sim/SimKeyboardLayout.h"

namespace {

using seam::kMapVkToChar;
using seam::kMapVkToScan;

TEST(SimKeyboardLayout, MapsKeysAsTheSystemDoes) {
  // Values as the system returns them for the US layout; unknown keys, mouse buttons and
  // codes above one byte give 0.
  const struct {
    unsigned vk, scan, ch;
  } keys[] = {
      {'A', 0x1E, 'A'},   {'Q', 0x10, 'Q'},   {'Z', 0x2C, 'Z'},   {'M', 0x32, 'M'},
      {'1', 0x02, '1'},   {'9', 0x0A, '9'},   {'0', 0x0B, '0'},   {0x08, 0x0E, '\b'},
      {0x09, 0x0F, '\t'}, {0x0D, 0x1C, '\r'}, {0x1B, 0x01, 0x1B}, {0x20, 0x39, ' '},
      {0x10, 0x2A, 0},    {0x11, 0x1D, 0},    {0x12, 0x38, 0},    {0xA0, 0x2A, 0},
      {0xA1, 0x36, 0},    {0xA2, 0x1D, 0},    {0xA3, 0x1D, 0},    {0xA4, 0x38, 0},
      {0xA5, 0x38, 0},    {0x25, 0x4B, 0},    {0x26, 0x48, 0},    {0x27, 0x4D, 0},
      {0x28, 0x50, 0},    {0x2D, 0x52, 0},    {0x2E, 0x53, 0},    {0x24, 0x47, 0},
      {0x23, 0x4F, 0},    {0x21, 0x49, 0},    {0x22, 0x51, 0},    {0x70, 0x3B, 0},
      {0x79, 0x44, 0},    {0x7A, 0x57, 0},    {0x7B, 0x58, 0},    {0x7C, 0x64, 0},
      {0x87, 0x76, 0},    {0x14, 0x3A, 0},    {0x90, 0x45, 0},    {0x91, 0x46, 0},
      {0x60, 0x52, '0'},  {0x69, 0x49, '9'},  {0x6A, 0x37, '*'},  {0x6B, 0x4E, '+'},
      {0x6D, 0x4A, '-'},  {0x6E, 0x53, '.'},  {0x6F, 0x35, '/'},  {0xBA, 0x27, ';'},
      {0xBB, 0x0D, '='},  {0xBC, 0x33, ','},  {0xBD, 0x0C, '-'},  {0xBE, 0x34, '.'},
      {0xBF, 0x35, '/'},  {0xC0, 0x29, '`'},  {0xDB, 0x1A, '['},  {0xDC, 0x2B, '\\'},
      {0xDD, 0x1B, ']'},  {0xDE, 0x28, '\''}, {0x00, 0, 0},       {0x01, 0, 0},
      {0x07, 0, 0},       {0xFF, 0, 0},       {0x141, 0, 0},
  };
  seam::SimKeyboardLayout layout;
  for (const auto& k : keys) {
    SCOPED_TRACE(testing::Message() << "vk 0x" << std::hex << k.vk);
    EXPECT_EQ(layout.MapVirtualKey(k.vk, kMapVkToScan), k.scan);
    EXPECT_EQ(layout.MapVirtualKey(k.vk, kMapVkToChar), k.ch);
  }
  EXPECT_EQ(layout.MapVirtualKey('A', 1), 0u);  // unknown map types
  EXPECT_EQ(layout.MapVirtualKey('A', 7), 0u);
  // Every key without a character (the virtual-key action sends these as extended keys),
  // F1..F24 included, has a scan code but character 0.
  std::vector<unsigned> noCharacter = {0x10, 0x11, 0x12, 0x13, 0x14, 0x21, 0x22, 0x23, 0x24,
                                       0x25, 0x26, 0x27, 0x28, 0x2C, 0x2D, 0x2E, 0x5B, 0x5C,
                                       0x5D, 0x90, 0x91, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};
  for (unsigned vk = 0x70; vk <= 0x87; ++vk) noCharacter.push_back(vk);
  for (unsigned vk : noCharacter) {
    EXPECT_NE(layout.MapVirtualKey(vk, kMapVkToScan), 0u) << vk;
    EXPECT_EQ(layout.MapVirtualKey(vk, kMapVkToChar), 0u) << vk;
  }
}

TEST(SimKeyboardLayout, VkKeyScanPutsTheShiftStateInTheHighByte) {
  // Ctrl+A for 0x01, the main '+' key rather than the keypad's, -1 for what no key types.
  const struct {
    char c;
    int result;
  } chars[] = {
      {'a', 0x41},    {'z', 0x5A},     {'A', 0x141}, {'1', 0x31},   {'!', 0x131}, {')', 0x130},
      {'@', 0x132},   {' ', 0x20},     {'\r', 0x0D}, {'\n', 0x20D}, {'\t', 0x09}, {'\b', 0x08},
      {'\x1b', 0x1B}, {'\x01', 0x241}, {'+', 0x1BB}, {'*', 0x138},  {'/', 0xBF},  {'.', 0xBE},
      {'~', 0x1C0},   {'"', 0x1DE},    {'\0', -1},   {'\xE9', -1},  {'\x80', -1}, {'\xFF', -1},
  };
  seam::SimKeyboardLayout layout;
  for (const auto& c : chars) {
    EXPECT_EQ(layout.VkKeyScan(c.c), c.result) << static_cast<int>(c.c);
  }
}

TEST(SimKeyboardLayout, EveryPrintableCharacterRoundTripsThroughItsKey) {
  // The key VkKeyScan names types the character: unshifted, its character is the
  // character itself (letters in upper case); shifted, the shifted character of that key.
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
    if (std::isupper(c)) {
      EXPECT_EQ(shift, 1u);
      EXPECT_EQ(ch, static_cast<unsigned>(c));
    } else if (shift == 0) {
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
