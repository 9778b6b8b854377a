// Automatic profile switching by the title of the window that becomes active.
#include <gtest/gtest.h>

#include "ConfigFixture.h"

namespace {

class SwitchingTest : public ConfigFixture {
 protected:
  void SetUp() override {
    Plug(0);
    Plug(1);
  }
  void Switch(const char* title) { configuration->SwitchProfileForWindow(title); }
};

TEST_F(SwitchingTest, TheFirstMatchingRuleWinsAndTheDefaultComesBack) {
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\">"
      "<Profile window=\"Editor\" fileName=\"B.xml\"/>"
      "<Profile window=\"Text\" fileName=\"C.xml\"/></Joystick>");
  Make();
  observer.Take();
  Switch("Text Editor");
  EXPECT_EQ(Slot(0), "B.xml*");
  EXPECT_EQ(observer.Take(), std::vector<std::string>{"0 B.xml"});
  EXPECT_EQ(Tap(0), "B");
  Switch("Some Text");
  EXPECT_EQ(Slot(0), "C.xml*");
  Switch("Desktop");
  EXPECT_EQ(Slot(0), "A.xml*");
  EXPECT_EQ(observer.Take(), (std::vector<std::string>{"0 C.xml", "0 A.xml"}));
  // Again: nothing changes, the object stays.
  CJoystick* before = configuration->GetJoystick(0);
  Switch("Desktop");
  EXPECT_EQ(configuration->GetJoystick(0), before);
  EXPECT_EQ(observer.Take(), std::vector<std::string>{});
  EXPECT_EQ(Messages(), std::vector<std::string>{});
}

TEST_F(SwitchingTest, TitlesAreCaseSensitiveAndFileNamesAreNot) {
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\">"
      "<Profile window=\"Editor\" fileName=\"a.XML\"/></Joystick>");
  Make();
  CJoystick* before = configuration->GetJoystick(0);
  Switch("editor");
  Switch("Editor");  // the rule's profile is the one in force already
  EXPECT_EQ(configuration->GetJoystick(0), before);
  EXPECT_EQ(Slot(0), "A.xml*");
}

TEST_F(SwitchingTest, ARuleInForceStopsTheSearch) {
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\">"
      "<Profile window=\"Edit\" fileName=\"B.xml\"/>"
      "<Profile window=\"Editor\" fileName=\"C.xml\"/></Joystick>");
  Make();
  Switch("Edit");
  EXPECT_EQ(Slot(0), "B.xml*");
  Switch("Editor");  // the first rule matches and is in force: C is never tried
  EXPECT_EQ(Slot(0), "B.xml*");
}

TEST_F(SwitchingTest, EmptyWindowTextMatchesEveryTitleAndRulesWithoutWindowAreSkipped) {
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\">"
      "<Profile fileName=\"C.xml\"/><Profile window=\"\" fileName=\"B.xml\"/></Joystick>");
  Make();
  Switch("");
  EXPECT_EQ(Slot(0), "B.xml*");
  Switch(nullptr);
  EXPECT_EQ(Slot(0), "B.xml*");
}

TEST_F(SwitchingTest, DisabledEntriesAndEntriesWithoutDefaultNeverSwitch) {
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\" enabled=\"False\">"
      "<Profile window=\"Game\" fileName=\"B.xml\"/></Joystick>"
      "<Joystick ID=\"1\"><Profile window=\"Game\" fileName=\"B.xml\"/></Joystick>");
  Make();
  Switch("Game");
  EXPECT_EQ(Slot(0), "A.xml");
  EXPECT_EQ(Slot(1), "");
}

TEST_F(SwitchingTest, AFailedLoadEndsThePass) {
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\"><Profile window=\"Game\" fileName=\"Bad.xml\"/>"
      "</Joystick><Joystick ID=\"1\" fileName=\"A.xml\"><Profile window=\"Game\" "
      "fileName=\"B.xml\"/></Joystick>");
  Write("Bad.xml", "<NotAProfile/>");
  Make();
  Switch("Game");
  // The controller keeps its old profile; the later entry is not examined; quiet: no message.
  EXPECT_EQ(Slot(0), "A.xml*");
  EXPECT_EQ(Slot(1), "A.xml*");
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  // A file that cannot be opened is still reported by the reader.
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\"><Profile window=\"Game\" fileName=\"None.xml\"/>"
      "</Joystick>");
  configuration->Load();
  Switch("Game");
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Configuration Error: Could not open the file \"None.xml\"."});
}

TEST_F(SwitchingTest, AnAbsentControllerTriesTheNextRuleAndLeavesItsEntryAlone) {
  WriteConfig(
      "<Joystick ID=\"5\" fileName=\"A.xml\"><Profile window=\"Game\" fileName=\"B.xml\"/>"
      "</Joystick><Joystick ID=\"0\" fileName=\"A.xml\"><Profile window=\"Game\" "
      "fileName=\"B.xml\"/></Joystick>");
  Make();
  Switch("Game");
  EXPECT_EQ(Slot(5), "-");
  EXPECT_EQ(Slot(0), "B.xml*");
  Switch("Other");
  EXPECT_EQ(Slot(0), "A.xml*");
}

TEST_F(SwitchingTest, QuietLoadsAcceptProfilesForOtherControllers) {
  Write("Other.xml", ButtonProfile("C", " ID=\"7\" name=\"Another Pad\""));
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\"><Profile window=\"Game\" fileName=\"Other.xml\"/>"
      "</Joystick>");
  Make();
  Switch("My Game");
  EXPECT_EQ(Slot(0), "Other.xml*");
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_EQ(Tap(0), "C");
}

TEST_F(SwitchingTest, ASwitchReleasesWhatTheOldControllerHeld) {
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\"><Profile window=\"Game\" fileName=\"B.xml\"/>"
      "</Joystick>");
  Make();
  Hold(0);
  EXPECT_EQ(world.input().KeysDown(), std::vector<std::uint8_t>{0x41});
  Switch("Game");
  EXPECT_TRUE(world.input().AllReleased());
  // The held button does not press B until it was released once.
  world.Advance(300);
  EXPECT_TRUE(world.input().AllReleased());
  world.joysticks().ReleaseButton(0, 1);
  EXPECT_EQ(Tap(0), "B");
}

TEST_F(SwitchingTest, AReloadBringsBackEveryDefault) {
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\"><Profile window=\"Game\" fileName=\"B.xml\"/>"
      "</Joystick>");
  Make();
  Switch("Game");
  configuration->Load();
  EXPECT_EQ(Slot(0), "A.xml*");
}

}  // namespace
