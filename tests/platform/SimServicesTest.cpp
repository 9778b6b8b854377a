// The process-wide services and the simple simulated ones: message boxes with scripted
// answers, the start-up entry, the program's path, and the test world that installs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/VirtualWorld.h"

namespace {

using seam::MessageAnswer;
using seam::MessageButtons;
using seam::MessageIcon;

TEST(SimMessages, QuestionsTakeScriptedAnswersTheyOfferAndOtherwiseTheirDefault) {
  seam::SimMessages messages;
  for (MessageAnswer a :
       {MessageAnswer::Cancel, MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Ok}) {
    messages.QueueAnswer(a);
  }
  // A plain message is answered Ok without using the script; an answer the box does not
  // offer is used up and replaced by the default (No, else Cancel).
  const struct {
    MessageButtons buttons;
    MessageAnswer answer;
  } boxes[] = {{MessageButtons::Ok, MessageAnswer::Ok},
               {MessageButtons::YesNoCancel, MessageAnswer::Cancel},
               {MessageButtons::YesNo, MessageAnswer::Yes},
               {MessageButtons::OkCancel, MessageAnswer::Cancel},
               {MessageButtons::YesNo, MessageAnswer::No},
               {MessageButtons::YesNo, MessageAnswer::No},
               {MessageButtons::YesNoCancel, MessageAnswer::No},
               {MessageButtons::OkCancel, MessageAnswer::Cancel}};
  for (const auto& b : boxes) {
    EXPECT_EQ(messages.Show("q", "c", b.buttons, MessageIcon::Question), b.answer)
        << messages.Count();
  }
  EXPECT_EQ(messages.PendingAnswers(), 0u);
  const auto log = messages.TakeLog();
  ASSERT_EQ(log.size(), std::size(boxes));
  EXPECT_EQ(log[1], (seam::MessageRecord{"q", "c", MessageButtons::YesNoCancel,
                                         MessageIcon::Question, MessageAnswer::Cancel}));
  EXPECT_EQ(messages.Count(), 0u);
}

TEST(SimStartupEntry, WritesReplacesAndRemovesValuesByNameInAnyCaseWhileAvailable) {
  seam::SimStartupEntry entry;
  EXPECT_TRUE(entry.Write("Tandrel", "C:\\T\\Tandrel.exe /NoConfigure"));
  EXPECT_TRUE(entry.Write("TANDREL", "other"));
  EXPECT_EQ(entry.Size(), 1u);
  EXPECT_EQ(entry.Value("tandrel"), "other");
  entry.SetAvailable(false);
  EXPECT_FALSE(entry.Write("Tandrel", "b"));
  EXPECT_FALSE(entry.Remove("Tandrel"));
  EXPECT_EQ(entry.Value("Tandrel"), "other");
  entry.SetAvailable(true);
  EXPECT_TRUE(entry.Remove("Tandrel"));
  EXPECT_FALSE(entry.Value("Tandrel").has_value());
  EXPECT_TRUE(entry.Remove("Tandrel"));  // missing value: no error
}

TEST(ProgramPath, FolderKeepsItsSeparatorAndASecondCharacterColonMakesAPathAbsolute) {
  seam::SimPlatform platform;
  seam::ScopedServices scope(platform.services());
  EXPECT_EQ(seam::ProgramFolder(), "/sim/");
  const struct {
    const char* program;
    const char* path;
    const char* resolved;
  } cases[] = {
      {"C:\\Program Files\\Tandrel\\Tandrel.exe", "Actions.xml",
       "C:\\Program Files\\Tandrel\\Actions.xml"},
      {"C:\\T\\Tandrel.exe", "D:\\p.xml", "D:\\p.xml"},
      {"C:\\T\\Tandrel.exe", "c:x", "c:x"},
      {"C:\\T\\Tandrel.exe", "::", "::"},
      {"C:\\T\\Tandrel.exe", ":x", "C:\\T\\:x"},
      {"C:\\T\\Tandrel.exe", "", "C:\\T\\"},
      {"C:\\T\\Tandrel.exe", "Profiles\\pad.xml", "C:\\T\\Profiles\\pad.xml"},
      {"/opt/tandrel/tandrel-cli", "sub/x.xml", "/opt/tandrel/sub/x.xml"},
  };
  for (const auto& c : cases) {
    platform.program().SetModuleFileName(c.program);
    EXPECT_EQ(seam::ResolveProgramPath(c.path), c.resolved) << c.path;
  }
}

TEST(VirtualWorld, InstallsTheSimulatedPlatformWithVirtualTimeAndPutsThePreviousOnesBack) {
  const seam::Services before = seam::Current();
  std::filesystem::path folder;
  {
    VirtualWorld world(1000);
    EXPECT_EQ(&seam::Joysticks(), &world.joysticks());
    EXPECT_EQ(&seam::Input(), &world.input());
    EXPECT_EQ(&seam::KeyboardLayout(), &world.keyboardLayout());
    EXPECT_EQ(&seam::Desktop(), &world.desktop());
    EXPECT_EQ(&seam::Messages(), &world.messages());
    EXPECT_EQ(&seam::StartupEntry(), &world.startupEntry());
    EXPECT_EQ(&seam::Program(), &world.program());
    EXPECT_EQ(&seam::Clock(), &world.timers());
    EXPECT_EQ(CurrentTimerService(), &world.timers());
    world.Advance(250);
    EXPECT_EQ(seam::Clock().TickCount(), 1250u);
    seam::ShowError("boom", "XML Error");
    EXPECT_EQ(world.messages().Log(),
              (std::vector<seam::MessageRecord>{{"boom", "XML Error", MessageButtons::Ok,
                                                 MessageIcon::Error, MessageAnswer::Ok}}));
    // A temporary program folder holds files and goes with the world.
    const std::string prefix = world.UseTempProgramFolder();
    EXPECT_EQ(seam::ProgramFolder(), prefix);
    folder = std::filesystem::path(prefix).parent_path();
    std::ofstream(seam::ResolveProgramPath("Actions.xml")) << "<Actions/>";
    EXPECT_TRUE(std::filesystem::exists(folder / "Actions.xml"));
    // The platform's own clock comes back when the override goes.
    world.platform().UseClock(nullptr);
    EXPECT_EQ(world.platform().services().clock, &world.platform().clock());
  }
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_EQ(seam::Current().input, before.input);
  EXPECT_EQ(seam::Current().clock, before.clock);
  EXPECT_EQ(CurrentTimerService(), nullptr);
}

}  // namespace
