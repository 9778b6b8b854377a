// The simulated platform where the other tests cannot pin a fault down: the keys of the US
// layout, the cursor at the screen's edges, message boxes with scripted answers, the start-up
// list, and the program's path.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>

#include "support/VirtualWorld.h"

namespace {

using seam::MessageAnswer;
using seam::MessageButtons;

// The key VkKeyScan names types the character: unshifted, its character is the character
// itself (letters in upper case); shifted, the shifted character of that key. Keys that type
// nothing, mouse buttons and codes above one byte give 0; -1 for what no key types.
TEST(SimKeyboardLayout, EveryPrintableCharacterRoundTripsThroughItsKey) {
  seam::SimKeyboardLayout layout;
  const std::string unshifted = "`1234567890-=[]\\;',./", shifted = "~!@#$%^&*()_+{}|:\"<>?";
  for (int c = 0x20; c < 0x7F; ++c) {
    const unsigned result = static_cast<std::uint16_t>(layout.VkKeyScan(static_cast<char>(c)));
    const unsigned vk = result & 0xFF, shift = result >> 8;
    const unsigned ch = layout.MapVirtualKey(vk, seam::kMapVkToChar);
    EXPECT_NE(layout.MapVirtualKey(vk, seam::kMapVkToScan), 0u) << c;
    const auto at = shifted.find(static_cast<char>(c));
    EXPECT_EQ(shift, std::isupper(c) || at != std::string::npos ? 1u : 0u) << c;
    EXPECT_EQ(ch, at != std::string::npos ? static_cast<unsigned char>(unshifted[at])
                                          : static_cast<unsigned>(std::toupper(c)))
        << c;
  }
  for (unsigned vk : {0x01u, 0xFFu, 0x141u})
    EXPECT_EQ(layout.MapVirtualKey(vk, seam::kMapVkToScan), 0u);
  EXPECT_EQ(layout.MapVirtualKey(0x87, seam::kMapVkToScan), 0x76u);  // F24, the last one
  EXPECT_EQ(layout.MapVirtualKey(0x25, seam::kMapVkToChar), 0u);
  EXPECT_EQ(layout.MapVirtualKey('A', 7), 0u);  // an unknown map type
  for (const auto& [c, r] : {std::pair<char, int>{'\n', 0x20D}, {'\x01', 0x241}, {'\xE9', -1}}) {
    EXPECT_EQ(layout.VkKeyScan(c), r);
  }
}

TEST(SimInput, TheCursorStaysOnTheScreen) {
  VirtualWorld world;
  auto& input = world.input();
  const auto absolute = seam::kMouseMove | seam::kMouseAbsolute;
  const struct {
    std::uint32_t flags;
    int dx, dy, x, y;
  } steps[] = {{seam::kMouseMove, 2, -3, 962, 537},  // from the centre
               {seam::kMouseWheel, 500, 500, 962, 537},
               {seam::kMouseMove, -5000, -5000, 0, 0},
               {seam::kMouseMove, 1919, 1079, 1919, 1079},
               {seam::kMouseMove, INT32_MIN, INT32_MAX, 0, 1079},
               {absolute, 70000, -4, 1919, 0}};
  int x = -1, y = -1;
  for (const auto& s : steps) {
    input.MouseEvent(s.flags, s.dx, s.dy, 0);
    ASSERT_TRUE(world.desktop().GetCursorPos(x, y));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(s.x, s.y)) << s.dx;
  }
  // The mouse action encodes pixel p as round(p / W * 65535): every pixel comes back.
  for (int p = 0; p < 1920; ++p) {
    input.MouseEvent(absolute, static_cast<int>(p / 1920.0 * 65535 + 0.5), 0, 0);
    world.desktop().GetCursorPos(x, y);
    ASSERT_EQ(x, p);
  }
  world.desktop().SetScreenSize(0, -5);  // at least one pixel, with the cursor on it
  world.desktop().GetCursorPos(x, y);
  EXPECT_EQ(world.desktop().FullScreenWidth() + world.desktop().FullScreenHeight() + x, 2);
}

// A plain message is answered Ok without using the script; an answer the box does not offer is
// used up and replaced by the default (No, else Cancel).
TEST(SimMessages, QuestionsTakeScriptedAnswersTheyOfferAndOtherwiseTheirDefault) {
  seam::SimMessages messages;
  for (auto a :
       {MessageAnswer::Cancel, MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Ok}) {
    messages.QueueAnswer(a);
  }
  const std::pair<MessageButtons, MessageAnswer> boxes[] = {
      {MessageButtons::Ok, MessageAnswer::Ok},
      {MessageButtons::YesNoCancel, MessageAnswer::Cancel},
      {MessageButtons::YesNo, MessageAnswer::Yes},
      {MessageButtons::OkCancel, MessageAnswer::Cancel},
      {MessageButtons::YesNo, MessageAnswer::No},
      {MessageButtons::YesNoCancel, MessageAnswer::No},
      {MessageButtons::OkCancel, MessageAnswer::Cancel}};
  for (const auto& [buttons, answer] : boxes) {
    EXPECT_EQ(messages.Show("q", "c", buttons, seam::MessageIcon::Question), answer);
  }
}

// Values by name in any case; nothing changes while the list is unavailable.
TEST(SimStartupEntry, WritesAndRemovesValuesWhileAvailable) {
  seam::SimStartupEntry entry;
  EXPECT_TRUE(entry.Write("Tandrel", "a") && entry.Write("TANDREL", "b"));
  entry.SetAvailable(false);
  EXPECT_FALSE(entry.Write("Tandrel", "c") || entry.Remove("Tandrel"));
  EXPECT_EQ(entry.Value("tandrel"), "b");
  entry.SetAvailable(true);
  EXPECT_TRUE(entry.Remove("Tandrel"));
  EXPECT_EQ(entry.Size(), 0u);
}

TEST(ProgramPath, ASecondCharacterColonMakesAPathAbsolute) {
  seam::SimPlatform platform;
  seam::ScopedServices scope(platform.services());
  platform.program().SetModuleFileName("C:\\T\\Tandrel.exe");
  const std::pair<const char*, const char*> cases[] = {
      {"D:\\p.xml", "D:\\p.xml"}, {"::", "::"}, {":x", "C:\\T\\:x"}, {"", "C:\\T\\"}};
  for (const auto& [path, resolved] : cases) EXPECT_EQ(seam::ResolveProgramPath(path), resolved);
}

}  // namespace
