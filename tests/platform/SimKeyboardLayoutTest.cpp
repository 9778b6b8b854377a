#include <gtest/gtest.h>

#include <cctype>

#include "platform/sim/SimKeyboardLayout.h"

namespace {

using seam::kMapVkToChar;
using seam::kMapVkToScan;

struct Expected {
  unsigned vk;
  unsigned scan;
  unsigned ch;
};

// Values as the system returns them for the US layout.
constexpr Expected kCommonKeys[] = {
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
    {0xDD, 0x1B, ']'},  {0xDE, 0x28, '\''},
};

TEST(SimKeyboardLayout, MapsCommonKeysAsTheSystemDoes) {
  seam::SimKeyboardLayout layout;
  for (const Expected& e : kCommonKeys) {
    SCOPED_TRACE(testing::Message() << "vk 0x" << std::hex << e.vk);
    EXPECT_EQ(layout.MapVirtualKey(e.vk, kMapVkToScan), e.scan);
    EXPECT_EQ(layout.MapVirtualKey(e.vk, kMapVkToChar), e.ch);
  }
}

TEST(SimKeyboardLayout, EveryKeyWithoutACharacterHasAScanCodeButCharacterZero) {
  // The virtual-key action sends exactly these as extended keys.
  seam::SimKeyboardLayout layout;
  const unsigned noCharacter[] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x21, 0x22, 0x23, 0x24,
                                  0x25, 0x26, 0x27, 0x28, 0x2C, 0x2D, 0x2E, 0x5B, 0x5C,
                                  0x5D, 0x90, 0x91, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};
  for (unsigned vk : noCharacter) {
    EXPECT_NE(layout.MapVirtualKey(vk, kMapVkToScan), 0u) << vk;
    EXPECT_EQ(layout.MapVirtualKey(vk, kMapVkToChar), 0u) << vk;
  }
  for (unsigned vk = 0x70; vk <= 0x87; ++vk) {  // F1..F24
    EXPECT_NE(layout.MapVirtualKey(vk, kMapVkToScan), 0u) << vk;
    EXPECT_EQ(layout.MapVirtualKey(vk, kMapVkToChar), 0u) << vk;
  }
}

TEST(SimKeyboardLayout, UnknownKeysCodesAndMapTypesGiveZero) {
  seam::SimKeyboardLayout layout;
  EXPECT_EQ(layout.MapVirtualKey(0x00, kMapVkToScan), 0u);
  EXPECT_EQ(layout.MapVirtualKey(0x01, kMapVkToScan), 0u);  // mouse buttons have no scan code
  EXPECT_EQ(layout.MapVirtualKey(0x07, kMapVkToScan), 0u);
  EXPECT_EQ(layout.MapVirtualKey(0xFF, kMapVkToChar), 0u);
  EXPECT_EQ(layout.MapVirtualKey(0x141, kMapVkToScan), 0u);  // above one byte
  EXPECT_EQ(layout.MapVirtualKey('A', 1), 0u);
  EXPECT_EQ(layout.MapVirtualKey('A', 7), 0u);
}

TEST(SimKeyboardLayout, VkKeyScanPutsTheShiftStateInTheHighByte) {
  seam::SimKeyboardLayout layout;
  EXPECT_EQ(layout.VkKeyScan('a'), 0x41);
  EXPECT_EQ(layout.VkKeyScan('z'), 0x5A);
  EXPECT_EQ(layout.VkKeyScan('A'), 0x141);
  EXPECT_EQ(layout.VkKeyScan('1'), 0x31);
  EXPECT_EQ(layout.VkKeyScan('!'), 0x131);
  EXPECT_EQ(layout.VkKeyScan(')'), 0x130);
  EXPECT_EQ(layout.VkKeyScan('@'), 0x132);
  EXPECT_EQ(layout.VkKeyScan(' '), 0x20);
  EXPECT_EQ(layout.VkKeyScan('\r'), 0x0D);
  EXPECT_EQ(layout.VkKeyScan('\n'), 0x20D);
  EXPECT_EQ(layout.VkKeyScan('\t'), 0x09);
  EXPECT_EQ(layout.VkKeyScan('\b'), 0x08);
  EXPECT_EQ(layout.VkKeyScan('\x1b'), 0x1B);
  EXPECT_EQ(layout.VkKeyScan('\x01'), 0x241);  // Ctrl+A
  EXPECT_EQ(layout.VkKeyScan('+'), 0x1BB);     // the main key, not the keypad's
  EXPECT_EQ(layout.VkKeyScan('*'), 0x138);
  EXPECT_EQ(layout.VkKeyScan('/'), 0xBF);
  EXPECT_EQ(layout.VkKeyScan('.'), 0xBE);
  EXPECT_EQ(layout.VkKeyScan('~'), 0x1C0);
  EXPECT_EQ(layout.VkKeyScan('"'), 0x1DE);
}

TEST(SimKeyboardLayout, CharactersNoKeyTypesGiveMinusOne) {
  seam::SimKeyboardLayout layout;
  EXPECT_EQ(layout.VkKeyScan('\0'), -1);
  EXPECT_EQ(layout.VkKeyScan(static_cast<char>(0xE9)), -1);  // e acute
  EXPECT_EQ(layout.VkKeyScan(static_cast<char>(0x80)), -1);
  EXPECT_EQ(layout.VkKeyScan(static_cast<char>(0xFF)), -1);
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
