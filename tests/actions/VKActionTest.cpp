// Virtual-key actions in virtual time: the events each push type sends and when, the key
// mapping, the destruction rule, and the "VKAction" element.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ActionTestSupport.h"
#include "actions/VKAction.h"
#include "xml/XMLNode.h"

namespace {

using actiontest::DownTimes;
using Events = std::vector<std::string>;
using Times = std::vector<std::uint32_t>;

class VKActionTest : public actiontest::ActionTest {};

TEST_F(VKActionTest, HoldRepeatsAfterTheDelayThenAtTheSpeed) {
  world.desktop().SetKeyboardDelay(1);
  world.desktop().SetKeyboardSpeed(31);
  CVKAction a(0x41, PushType::Hold, "A");
  a.Press(nullptr);
  world.AdvanceTo(600);
  a.Release(nullptr);
  EXPECT_EQ(DownTimes(world.input().Log()), (Times{0, 500, 528, 556, 584}));
  EXPECT_EQ(Recorded().back(), "600 up 41");
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
}

TEST_F(VKActionTest, HoldWithTheSlowestSettings) {
  world.desktop().SetKeyboardDelay(0);  // 250 ms
  world.desktop().SetKeyboardSpeed(0);  // 400 ms
  CVKAction a(0x41, PushType::Hold, "A");
  a.Press(nullptr);
  world.AdvanceTo(1100);
  a.Release(nullptr);
  EXPECT_EQ(DownTimes(world.input().Log()), (Times{0, 250, 650, 1050}));
}

TEST_F(VKActionTest, HoldWithTheLongestDelay) {
  world.desktop().SetKeyboardDelay(3);
  world.desktop().SetKeyboardSpeed(20);  // 160 ms
  CVKAction a(0x41, PushType::Hold, "A");
  a.Press(nullptr);
  world.AdvanceTo(1400);
  a.Release(nullptr);
  EXPECT_EQ(DownTimes(world.input().Log()), (Times{0, 1000, 1160, 1320}));
}

TEST_F(VKActionTest, HoldReleasedJustBeforeTheFirstRepeatSendsNoRepeat) {
  CVKAction a(0x41, PushType::Hold, "A");  // delay 1: 500 ms
  a.Press(nullptr);
  world.MoveTo(500);  // the release comes before the tick due at 500
  a.Release(nullptr);
  world.Advance(2000);
  EXPECT_EQ(Recorded(), (Events{"0 down 41", "500 up 41"}));
}

TEST_F(VKActionTest, ModifiersAndMouseButtonsAreHeldWithoutRepeating) {
  for (const unsigned char key : {0x10, 0x11, 0x12, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5}) {
    SCOPED_TRACE(key);
    CVKAction a(key, PushType::Hold, "M");
    a.Press(nullptr);
    EXPECT_EQ(world.timers().RunningTimers(), 0u);
    world.Advance(5000);
    a.Release(nullptr);
    const auto log = world.input().TakeLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[0].IsKeyDown());
    EXPECT_TRUE(log[1].IsKeyUp());
  }
  for (const unsigned char key : {0x01, 0x02, 0x04}) {
    CVKAction a(key, PushType::Hold, "B");
    a.Press(nullptr);
    world.Advance(5000);
    a.Release(nullptr);
    EXPECT_EQ(world.input().TakeLog().size(), 2u);
  }
}

TEST_F(VKActionTest, KeysBesideTheModifiersRepeat) {
  for (const unsigned char key : {0x0F, 0x13, 0x9F, 0xA6}) {
    SCOPED_TRACE(key);
    CVKAction a(key, PushType::Hold, "K");
    a.Press(nullptr);
    world.Advance(600);
    a.Release(nullptr);
    EXPECT_EQ(DownTimes(world.input().TakeLog()).size(), 5u);  // 0, 500, 528, 556, 584
  }
}

TEST_F(VKActionTest, RepeatSendsWholePressesAtItsRate) {
  CVKAction a(0x41, PushType::Repeat, "R");
  a.SetRate(100);
  a.Press(nullptr);
  world.AdvanceTo(250);
  a.Release(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 down 41", "100 down 41", "100 up 41", "200 down 41", "200 up 41",
                                "250 up 41"}));
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
}

TEST_F(VKActionTest, RepeatWithARateOfZeroOnlyHoldsTheKey) {
  CVKAction a(0x41, PushType::Repeat, "R");
  a.SetRate(0);
  a.Press(nullptr);
  world.Advance(1000);
  a.Release(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 down 41", "1000 up 41"}));
}

TEST_F(VKActionTest, HitSendsDownAndUpAtThePressAndNothingAtTheRelease) {
  CVKAction a(0x41, PushType::Hit, "H");
  a.Press(nullptr);
  world.Advance(1000);
  a.Release(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 down 41", "0 up 41"}));
}

TEST_F(VKActionTest, MouseButtonsGoOutAsMouseEvents) {
  CVKAction left(0x01, PushType::Hit, "L");
  CVKAction right(0x02, PushType::Hit, "R");
  CVKAction middle(0x04, PushType::Hit, "M");
  left.Press(nullptr);
  left.Release(nullptr);
  right.Press(nullptr);
  middle.Press(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 mouse 2 0 0 0", "0 mouse 4 0 0 0", "0 mouse 8 0 0 0",
                                "0 mouse 10 0 0 0", "0 mouse 20 0 0 0", "0 mouse 40 0 0 0"}));
}

TEST_F(VKActionTest, ToggleHoldsTheKeyFromFirstPressToSecondRelease) {
  CVKAction a(0x41, PushType::Toggle, "T");
  a.Press(nullptr);
  world.Advance(100);
  a.Release(nullptr);
  world.Advance(2000);
  a.Press(nullptr);
  world.Advance(100);
  a.Release(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 down 41", "2200 up 41"}));
}

TEST_F(VKActionTest, ExtendedFlagExactlyForKeysWithoutACharacter) {
  for (const unsigned char key : {0x41, 0x25, 0x2D, 0x1B, 0x70, 0x0D, 0x11}) {
    CVKAction a(key, PushType::Hit, "K");
    a.Press(nullptr);
  }
  EXPECT_EQ(Recorded(),
            (Events{"0 down 41", "0 up 41", "0 down 25+ext", "0 up 25+ext", "0 down 2d+ext",
                    "0 up 2d+ext", "0 down 1b", "0 up 1b", "0 down 70+ext", "0 up 70+ext",
                    "0 down d", "0 up d", "0 down 11+ext", "0 up 11+ext"}));
}

TEST_F(VKActionTest, ScanCodesComeFromTheLayout) {
  CVKAction a(0x41, PushType::Hit, "A");
  CVKAction left(0x25, PushType::Hit, "Left");
  a.Press(nullptr);
  left.Press(nullptr);
  const auto log = world.input().Log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].scan, 0x1E);
  EXPECT_EQ(log[1].scan, 0x1E);
  EXPECT_EQ(log[2].scan, 0x4B);
}

TEST_F(VKActionTest, ASecondPressWhileHeldSendsNothing) {
  CVKAction a(0x41, PushType::Hold, "A");
  a.Press(nullptr);
  a.Press(nullptr);
  a.Release(nullptr);
  EXPECT_EQ(Recorded(), (Events{"0 down 41", "0 up 41"}));
}

// A tick that the timer thread had already begun when another thread released the action
// arrives after the release; it must find nothing to do.
TEST_F(VKActionTest, ATickThatArrivesAfterTheReleaseSendsNothing) {
  CVKAction repeat(0x41, PushType::Repeat, "R");
  CVKAction hold(0x42, PushType::Hold, "H");
  repeat.Press(nullptr);
  hold.Press(nullptr);
  repeat.Release(nullptr);
  hold.Release(nullptr);
  const auto count = world.input().Count();
  repeat.RunTick();
  hold.RunTick();
  EXPECT_EQ(world.input().Count(), count);
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
}

TEST_F(VKActionTest, DestroyingARepeatingKeyReleasesItAndEndsItsTimer) {
  auto a = std::make_unique<CVKAction>(0x41, PushType::Repeat, "R");
  a->SetRate(50);
  a->Press(nullptr);
  world.AdvanceTo(120);
  a.reset();
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  world.Advance(1000);
  EXPECT_EQ(Recorded(), (Events{"0 down 41", "50 down 41", "50 up 41", "100 down 41", "100 up 41",
                                "120 up 41"}));
  EXPECT_TRUE(world.input().AllReleased());
}

TEST_F(VKActionTest, DestroyingARunningToggleReleasesTheKey) {
  auto a = std::make_unique<CVKAction>(0x42, PushType::Toggle, "T");
  a->Press(nullptr);
  a->Release(nullptr);
  a.reset();
  EXPECT_EQ(Recorded(), (Events{"0 down 42", "0 up 42"}));
}

TEST_F(VKActionTest, CloneCopiesTheSettingsAndIsIdle) {
  CVKAction a(0x41, PushType::Repeat, "R");
  a.SetRate(77);
  a.SetTheme("Game");
  a.Press(nullptr);
  auto copy = a.Clone();
  auto* vk = dynamic_cast<CVKAction*>(copy.get());
  ASSERT_NE(vk, nullptr);
  EXPECT_EQ(vk->GetKey(), 0x41);
  EXPECT_EQ(vk->GetRate(), 77);
  EXPECT_STREQ(vk->GetTheme(), "Game");
  EXPECT_FALSE(vk->IsActive());
  EXPECT_FALSE(vk->IsTimerRunning());
  EXPECT_TRUE(a.IsEqual(vk));
  a.Release(nullptr);
}

TEST_F(VKActionTest, EqualityComparesKeyAndRate) {
  CVKAction a(0x41, PushType::Hold, "A");
  CVKAction b(0x41, PushType::Hold, "A");
  b.SetRate(100);
  CVKAction c(0x42, PushType::Hold, "A");
  EXPECT_FALSE(a.IsEqual(&b));
  EXPECT_FALSE(a.IsEqual(&c));
  b.SetRate(CVKAction::kDefaultRate);
  EXPECT_TRUE(a.IsEqual(&b));
}

// Reading and writing the element.

std::unique_ptr<CAction> Read(std::string_view text) {
  auto element = actiontest::Element(text);
  return element ? ReadVKAction(element.get()) : nullptr;
}

unsigned char KeyOf(const std::unique_ptr<CAction>& action) {
  return dynamic_cast<const CVKAction&>(*action).GetKey();
}

TEST_F(VKActionTest, ReadsHexadecimalValues) {
  auto a = Read(R"(<VKAction name="Esc" value="0x1B" />)");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(KeyOf(a), 0x1B);
  EXPECT_EQ(a->GetPushType(), PushType::Hold);
  EXPECT_STREQ(a->GetTheme(), "");
  EXPECT_EQ(KeyOf(Read(R"(<VKAction name="x" value="0xd" />)")), 0x0D);
  EXPECT_EQ(KeyOf(Read(R"(<VKAction name="x" value="0xaB" />)")), 0xAB);
  // Only the low byte counts; other characters shift without adding.
  EXPECT_EQ(KeyOf(Read(R"(<VKAction name="x" value="0x141" />)")), 0x41);
  EXPECT_EQ(KeyOf(Read(R"(<VKAction name="x" value="0x1g" />)")), 0x10);
  EXPECT_EQ(KeyOf(Read(R"(<VKAction name="x" value="0x" />)")), 0x00);
  EXPECT_EQ(KeyOf(Read(R"(<VKAction name="x" value="0x123456789abcdef41" />)")), 0x41);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(VKActionTest, ReadsOneCharacterThroughTheLayout) {
  EXPECT_EQ(KeyOf(Read(R"(<VKAction name="x" value="a" />)")), 0x41);
  EXPECT_EQ(KeyOf(Read(R"(<VKAction name="x" value="A" />)")), 0x41);  // shift state dropped
  EXPECT_EQ(KeyOf(Read(R"(<VKAction name="x" value="0" />)")), 0x30);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(VKActionTest, RejectsOtherValuesWithTheMessage) {
  EXPECT_EQ(Read(R"(<VKAction name="Quit" value="0X1B" />)"), nullptr);
  EXPECT_EQ(Read(R"(<VKAction name="Quit" value="Esc" />)"), nullptr);
  EXPECT_EQ(Read(R"(<VKAction name="Quit" value="" />)"), nullptr);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].text, "The VKAction \"Quit\" has an unknown value: \"0X1B\".");
  EXPECT_EQ(messages[0].caption, "XML Error");
  EXPECT_EQ(messages[0].icon, seam::MessageIcon::Error);
  EXPECT_EQ(messages[0].buttons, seam::MessageButtons::Ok);
  EXPECT_EQ(messages[1].text, "The VKAction \"Quit\" has an unknown value: \"Esc\".");
  EXPECT_EQ(messages[2].text, "The VKAction \"Quit\" has an unknown value: \"\".");
}

TEST_F(VKActionTest, ReportsMissingNameValueAndBadType) {
  EXPECT_EQ(Read(R"(<VKAction value="0x41" />)"), nullptr);
  EXPECT_EQ(Read(R"(<VKAction name="Fire" />)"), nullptr);
  EXPECT_EQ(Read(R"(<VKAction name="Fire" type="Holding" value="0x41" />)"), nullptr);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].text, "There is a VKAction with no name");
  EXPECT_EQ(messages[1].text, "The VKAction \"Fire\" doesn't have a value.");
  EXPECT_EQ(messages[2].text, "The VKAction \"Fire\" has an unknown type: \"Holding\".");
  for (const auto& m : messages) EXPECT_EQ(m.caption, "XML Error");
}

TEST_F(VKActionTest, MessagesHoldLongNamesWhole) {
  const std::string name(250, 'n');
  const std::string value(250, 'v');
  EXPECT_EQ(Read("<VKAction name=\"" + name + "\" value=\"" + value + "\" />"), nullptr);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text,
            "The VKAction \"" + name + "\" has an unknown value: \"" + value + "\".");
}

TEST_F(VKActionTest, ReadsAttributesInAnyCaseWithThemeTypeAndRate) {
  auto a = Read(R"(<VKAction THEME="Game" NAME="Fire" TYPE="repeat" VALUE="0x20" RATE="75" />)");
  ASSERT_NE(a, nullptr);
  EXPECT_STREQ(a->GetTheme(), "Game");
  EXPECT_STREQ(a->GetName(), "Fire");
  EXPECT_EQ(a->GetPushType(), PushType::Repeat);
  EXPECT_EQ(dynamic_cast<CVKAction&>(*a).GetRate(), 75);
  auto b = Read(R"(<VKAction name="x" value="0x20" rate="99999999999" />)");
  EXPECT_EQ(dynamic_cast<CVKAction&>(*b).GetRate(), 2147483647);  // clamped, not overflowed
}

TEST_F(VKActionTest, WritesValueInLowerCaseHexAndRateOnlyForRepeat) {
  auto hit = Read(R"(<VKAction theme="Menus" name="Enter" type="Hit" value="0xD" rate="100" />)");
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(dynamic_cast<CVKAction&>(*hit).GetRate(), 100);
  EXPECT_EQ(hit->CreateXMLNode()->ToText(),
            "<VKAction theme = \"Menus\" name = \"Enter\" type = \"Hit\" value = \"0xd\" />\r\n");
  CVKAction repeat(0xAB, PushType::Repeat, "R");
  EXPECT_EQ(repeat.CreateXMLNode()->ToText(),
            "<VKAction theme = \"\" name = \"R\" type = \"Repeat\" value = \"0xab\" rate = "
            "\"250\" />\r\n");
}

TEST_F(VKActionTest, AWrittenActionReadsBackEqual) {
  CVKAction a(0x5A, PushType::Repeat, "Z");
  a.SetTheme("T");
  a.SetRate(33);
  auto element = a.CreateXMLNode();
  auto back = ReadVKAction(element.get());
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(a.IsEqual(back.get()));
}

}  // namespace
