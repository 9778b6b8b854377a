#include <gtest/gtest.h>

#include "platform/sim/SimPlatform.h"

namespace {

using seam::MessageAnswer;
using seam::MessageButtons;
using seam::MessageIcon;

TEST(SimMessages, PlainMessagesAnswerOkWithoutUsingTheScript) {
  seam::SimMessages messages;
  messages.QueueAnswer(MessageAnswer::Yes);
  EXPECT_EQ(messages.Show("t", "c", MessageButtons::Ok, MessageIcon::Error), MessageAnswer::Ok);
  EXPECT_EQ(messages.PendingAnswers(), 1u);
  EXPECT_EQ(messages.Show("q", "Problem", MessageButtons::YesNo, MessageIcon::Question),
            MessageAnswer::Yes);
  EXPECT_EQ(messages.PendingAnswers(), 0u);
}

TEST(SimMessages, QuestionsTakeScriptedAnswersInOrderThenDefaultToNoOrCancel) {
  seam::SimMessages messages;
  messages.QueueAnswer(MessageAnswer::Cancel);
  messages.QueueAnswer(MessageAnswer::Yes);
  EXPECT_EQ(messages.Show("1", "c", MessageButtons::YesNoCancel, MessageIcon::Warning),
            MessageAnswer::Cancel);
  EXPECT_EQ(messages.Show("2", "c", MessageButtons::YesNo, MessageIcon::Question),
            MessageAnswer::Yes);
  EXPECT_EQ(messages.Show("3", "c", MessageButtons::YesNo, MessageIcon::Question),
            MessageAnswer::No);
  EXPECT_EQ(messages.Show("4", "c", MessageButtons::YesNoCancel, MessageIcon::Question),
            MessageAnswer::No);
  EXPECT_EQ(messages.Show("5", "c", MessageButtons::OkCancel, MessageIcon::Question),
            MessageAnswer::Cancel);
}

TEST(SimMessages, AnAnswerTheBoxDoesNotOfferIsUsedUpAndReplacedByTheDefault) {
  seam::SimMessages messages;
  messages.QueueAnswer(MessageAnswer::Yes);
  messages.QueueAnswer(MessageAnswer::Ok);
  EXPECT_EQ(messages.Show("a", "c", MessageButtons::OkCancel, MessageIcon::None),
            MessageAnswer::Cancel);
  EXPECT_EQ(messages.Show("b", "c", MessageButtons::YesNo, MessageIcon::None), MessageAnswer::No);
  EXPECT_EQ(messages.PendingAnswers(), 0u);
}

TEST(SimMessages, LogKeepsEveryBoxWithItsAnswer) {
  seam::SimMessages messages;
  messages.QueueAnswer(MessageAnswer::Ok);
  messages.Show("Could not open the file \"x\".", "Configuration Error", MessageButtons::Ok,
                MessageIcon::Error);
  messages.Show("Save?", "Warning...", MessageButtons::OkCancel, MessageIcon::Warning);
  const auto log = messages.Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0],
            (seam::MessageRecord{"Could not open the file \"x\".", "Configuration Error",
                                 MessageButtons::Ok, MessageIcon::Error, MessageAnswer::Ok}));
  EXPECT_EQ(log[1].answer, MessageAnswer::Ok);
  EXPECT_EQ(log[1].icon, MessageIcon::Warning);
  EXPECT_EQ(messages.TakeLog().size(), 2u);
  EXPECT_EQ(messages.Count(), 0u);
}

TEST(SimMessages, ShowErrorOfTheSeamGoesToTheInstalledMessages) {
  seam::SimPlatform platform;
  seam::ScopedServices scope(platform.services());
  seam::ShowError("boom", "XML Error");
  const auto log = platform.messages().Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].caption, "XML Error");
  EXPECT_EQ(log[0].icon, MessageIcon::Error);
  EXPECT_EQ(log[0].buttons, MessageButtons::Ok);
}

TEST(SimStartupEntry, WritesReplacesAndRemovesValuesByNameInAnyCase) {
  seam::SimStartupEntry entry;
  EXPECT_TRUE(entry.Write("Tandrel", "C:\\T\\Tandrel.exe /NoConfigure"));
  EXPECT_TRUE(entry.Write("TANDREL", "other"));
  EXPECT_EQ(entry.Size(), 1u);
  EXPECT_EQ(entry.Value("tandrel"), "other");
  EXPECT_TRUE(entry.Remove("Tandrel"));
  EXPECT_FALSE(entry.Value("Tandrel").has_value());
  EXPECT_TRUE(entry.Remove("Tandrel"));  // missing value: no error
}

TEST(SimStartupEntry, UnavailableListRefusesWritesAndRemovalsAndKeepsItsValues) {
  seam::SimStartupEntry entry;
  entry.Write("Tandrel", "a");
  entry.SetAvailable(false);
  EXPECT_FALSE(entry.Write("Tandrel", "b"));
  EXPECT_FALSE(entry.Remove("Tandrel"));
  EXPECT_EQ(entry.Value("Tandrel"), "a");
  entry.SetAvailable(true);
  EXPECT_TRUE(entry.Remove("Tandrel"));
  EXPECT_EQ(entry.Size(), 0u);
}

TEST(SimPlatform, ServicesPointAtItsAdaptersAndTheProgramPathIsSettable) {
  seam::SimPlatform platform;
  seam::ScopedServices scope(platform.services());
  EXPECT_EQ(&seam::Joysticks(), &platform.joysticks());
  EXPECT_EQ(&seam::Input(), &platform.input());
  EXPECT_EQ(&seam::KeyboardLayout(), &platform.keyboardLayout());
  EXPECT_EQ(&seam::Desktop(), &platform.desktop());
  EXPECT_EQ(&seam::Clock(), &platform.clock());
  EXPECT_EQ(&seam::Messages(), &platform.messages());
  EXPECT_EQ(&seam::StartupEntry(), &platform.startupEntry());
  EXPECT_EQ(&seam::Program(), &platform.program());
  EXPECT_EQ(seam::ProgramFolder(), "/sim/");
  platform.program().SetModuleFileName("/tmp/x/Tandrel.exe");
  EXPECT_EQ(seam::ResolveProgramPath("Actions.xml"), "/tmp/x/Actions.xml");
}

TEST(SimPlatform, UseClockReplacesTheClockOfTheServicesAndNullRestoresItsOwn) {
  seam::SimPlatform platform;
  seam::SimClock other;
  platform.UseClock(&other);
  EXPECT_EQ(platform.services().clock, &other);
  platform.UseClock(nullptr);
  EXPECT_EQ(platform.services().clock, &platform.clock());
}

TEST(SimDesktop, KeyboardSettingsAndScreenSizeHaveDefaultsAndAreSettable) {
  seam::SimDesktop desktop;
  EXPECT_EQ(desktop.KeyboardDelay(), 1);
  EXPECT_EQ(desktop.KeyboardSpeed(), 31);
  EXPECT_EQ(desktop.FullScreenWidth(), 1920);
  EXPECT_EQ(desktop.FullScreenHeight(), 1080);
  desktop.SetKeyboardDelay(3);
  desktop.SetKeyboardSpeed(0);
  desktop.SetScreenSize(0, -5);  // at least one pixel
  EXPECT_EQ(desktop.KeyboardDelay(), 3);
  EXPECT_EQ(desktop.KeyboardSpeed(), 0);
  EXPECT_EQ(desktop.FullScreenWidth(), 1);
  EXPECT_EQ(desktop.FullScreenHeight(), 1);
  int x = -1, y = -1;
  desktop.GetCursorPos(x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

}  // namespace
