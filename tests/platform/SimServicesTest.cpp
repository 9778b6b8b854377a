// The process-wide services and the simple simulated ones: message boxes with scripted
// answers, the start-up entry, the program's path, and the test world that installs them.
#include <gtest/gtest.h>

#include "support/VirtualWorld.h"

namespace {

using seam::MessageAnswer;
using seam::MessageButtons;
using seam::MessageIcon;

// A plain message is answered Ok without using the script; an answer the box does not offer is
// used up and replaced by the default (No, else Cancel).
TEST(SimMessages, QuestionsTakeScriptedAnswersTheyOfferAndOtherwiseTheirDefault) {
  seam::SimMessages messages;
  for (MessageAnswer a :
       {MessageAnswer::Cancel, MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Ok}) {
    messages.QueueAnswer(a);
  }
  const std::pair<MessageButtons, MessageAnswer> boxes[] = {
      {MessageButtons::Ok, MessageAnswer::Ok},
      {MessageButtons::YesNoCancel, MessageAnswer::Cancel},
      {MessageButtons::YesNo, MessageAnswer::Yes},
      {MessageButtons::OkCancel, MessageAnswer::Cancel},
      {MessageButtons::YesNo, MessageAnswer::No},
      {MessageButtons::YesNo, MessageAnswer::No},
      {MessageButtons::YesNoCancel, MessageAnswer::No},
      {MessageButtons::OkCancel, MessageAnswer::Cancel}};
  for (const auto& [buttons, answer] : boxes) {
    EXPECT_EQ(messages.Show("q", "c", buttons, MessageIcon::Question), answer) << messages.Count();
  }
  EXPECT_EQ(messages.TakeLog().at(1),
            (seam::MessageRecord{"q", "c", MessageButtons::YesNoCancel, MessageIcon::Question,
                                 MessageAnswer::Cancel}));
  EXPECT_EQ(messages.Count(), 0u);
}

TEST(SimStartupEntry, WritesReplacesAndRemovesValuesByNameInAnyCaseWhileAvailable) {
  seam::SimStartupEntry entry;
  EXPECT_TRUE(entry.Write("Tandrel", "C:\\T\\Tandrel.exe /NoConfigure"));
  EXPECT_TRUE(entry.Write("TANDREL", "other"));
  EXPECT_EQ(entry.Size(), 1u);
  entry.SetAvailable(false);
  EXPECT_FALSE(entry.Write("Tandrel", "b"));
  EXPECT_FALSE(entry.Remove("Tandrel"));
  EXPECT_EQ(entry.Value("tandrel"), "other");
  entry.SetAvailable(true);
  EXPECT_TRUE(entry.Remove("Tandrel"));
  EXPECT_FALSE(entry.Value("Tandrel").has_value());
}

TEST(ProgramPath, FolderKeepsItsSeparatorAndASecondCharacterColonMakesAPathAbsolute) {
  seam::SimPlatform platform;
  seam::ScopedServices scope(platform.services());
  EXPECT_EQ(seam::ProgramFolder(), "/sim/");
  const struct {
    const char *program, *path, *resolved;
  } cases[] = {
      {"C:\\Program Files\\Tandrel\\Tandrel.exe", "Actions.xml",
       "C:\\Program Files\\Tandrel\\Actions.xml"},
      {"C:\\T\\Tandrel.exe", "D:\\p.xml", "D:\\p.xml"},
      {"C:\\T\\Tandrel.exe", "::", "::"},
      {"C:\\T\\Tandrel.exe", ":x", "C:\\T\\:x"},
      {"C:\\T\\Tandrel.exe", "", "C:\\T\\"},
      {"/opt/tandrel/tandrel-cli", "sub/x.xml", "/opt/tandrel/sub/x.xml"},
  };
  for (const auto& c : cases) {
    platform.program().SetModuleFileName(c.program);
    EXPECT_EQ(seam::ResolveProgramPath(c.path), c.resolved) << c.path;
  }
}

}  // namespace
