// The once-a-second check for controllers pulled out and plugged in, in virtual time.
#include <gtest/gtest.h>

#include "ConfigFixture.h"

namespace {

using HotPlugTest = ConfigFixture;

TEST_F(HotPlugTest, APulledOutControllerGoesAtTheNextCheckReleasingItsKeys) {
  Plug(0);
  Plug(3);
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/><Joystick ID=\"3\"/>");
  Make();
  Hold(0);
  world.AdvanceTo(300);
  EXPECT_EQ(world.input().KeysDown(), std::vector<std::uint8_t>{0x41});
  world.joysticks().Unplug(0);
  world.joysticks().Unplug(3);
  world.AdvanceTo(999);
  EXPECT_EQ(Slot(0) + " [" + Slot(3) + "]", "A.xml* []");
  world.input().ClearLog();
  world.AdvanceTo(1000);
  EXPECT_EQ(Slot(0) + " " + Slot(3), "- -");
  EXPECT_TRUE(world.input().AllReleased());
  // The key went up at the check, at 1000 ms.
  const auto log = world.input().TakeLog();
  ASSERT_FALSE(log.empty());
  EXPECT_TRUE(log.back().IsKeyUp());
  EXPECT_EQ(log.back().time, 1000u);
  // A controller without a default profile gets no object when it comes back.
  Plug(3);
  world.AdvanceTo(5000);
  EXPECT_EQ(Slot(3), "-");
}

TEST_F(HotPlugTest, AReappearingControllerStartsWithItsDefaultProfileAtTheNextCheck) {
  world.AdvanceTo(250);  // the checks tick every second from construction
  WriteConfig(
      "<Joystick ID=\"1\" fileName=\"A.xml\" enabled=\"false\">"
      "<Profile window=\"\" fileName=\"B.xml\"/></Joystick>");
  Make();
  EXPECT_EQ(Slot(1), "-");
  world.AdvanceTo(1500);
  Plug(1);
  world.AdvanceTo(2249);
  EXPECT_EQ(Slot(1), "-");
  world.AdvanceTo(2250);
  // Disabled, and a rule matching every window: neither is consulted here.
  EXPECT_EQ(Slot(1), "A.xml*");
  EXPECT_EQ(observer.Take(), std::vector<std::string>{"1 A.xml"});
  EXPECT_EQ(Tap(1), "A");
  // Until the next load, which disables it again.
  configuration->Load();
  EXPECT_EQ(Slot(1), "A.xml");
}

// The failed controller stays: the check does not retry it every second.
TEST_F(HotPlugTest, ProfileMessagesOfAReappearingControllerAreShownOnce) {
  WriteConfig("<Joystick ID=\"0\" fileName=\"Missing.xml\"/>");
  Make();
  Plug(0);
  world.AdvanceTo(5000);
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "Configuration Error: Could not open the file \"Missing.xml\"."});
  EXPECT_EQ(Slot(0), "Missing.xml");
}

TEST_F(HotPlugTest, AFailedLoadKeepsCheckingWithNothingToConnect) {
  Write("Tandrel.exe.config", "<Configuration/>");
  Make();
  Plug(0);
  world.AdvanceTo(3000);
  world.joysticks().Unplug(0);
  world.AdvanceTo(4000);
  EXPECT_EQ(Slot(0), "-");
}

}  // namespace
