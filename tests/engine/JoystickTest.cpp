#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/JoystickButton.h"
#include "engine/JoystickPOVButton.h"

namespace {

using JoystickTest = EngineFixture;

TEST_F(JoystickTest, ElementNumbersWithAHat) {
  auto joystick = Plug(0, Gamepad());
  ASSERT_EQ(joystick->GetElementCount(), 8);
  EXPECT_STREQ(joystick->GetButton(1)->GetName(), "POV Forward");
  EXPECT_STREQ(joystick->GetButton(2)->GetName(), "POV Right");
  EXPECT_STREQ(joystick->GetButton(3)->GetName(), "POV Backward");
  EXPECT_STREQ(joystick->GetButton(4)->GetName(), "POV Left");
  EXPECT_STREQ(joystick->GetButton(5)->GetName(), "Button 1");
  EXPECT_STREQ(joystick->GetButton(8)->GetName(), "Button 4");
  EXPECT_EQ(joystick->GetButton(0), nullptr);
  EXPECT_EQ(joystick->GetButton(9), nullptr);
  ASSERT_EQ(joystick->GetAxisCount(), 2);
  EXPECT_STREQ(joystick->GetAxis(0)->GetName(), "X Axis");
  EXPECT_STREQ(joystick->GetAxis(1)->GetName(), "Y Axis");
  EXPECT_EQ(joystick->GetDeviceName(), "Test Pad");
  EXPECT_EQ(joystick->GetId(), 0);
  EXPECT_TRUE(joystick->HasPov());
  EXPECT_FALSE(joystick->IsActive());
  EXPECT_EQ(joystick->GetProfilePath(), "");
}

TEST_F(JoystickTest, AxesFollowTheCapabilities) {
  seam::JoystickCaps caps = seam::MakeJoystickCaps("ZRUV", 32, false);
  caps.zMin = 10;
  caps.zMax = 2000;
  auto joystick = Plug(3, caps);
  ASSERT_EQ(joystick->GetAxisCount(), 6);
  const char* names[] = {"X Axis", "Y Axis", "Z Axis", "R Axis", "U Axis", "V Axis"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_STREQ(joystick->GetAxis(i)->GetName(), names[i]);
    EXPECT_EQ(joystick->GetAxis(i)->Properties().GetAxisIndex(), i);
    EXPECT_EQ(joystick->GetAxis(i)->Properties().GetThreshold(), 1000);
  }
  EXPECT_EQ(joystick->GetAxis(2)->Properties().GetMin(), 10u);
  EXPECT_EQ(joystick->GetAxis(2)->Properties().GetMax(), 2000u);
  EXPECT_EQ(joystick->GetElementCount(), 32);
  EXPECT_STREQ(joystick->GetButton(1)->GetName(), "Button 1");
  EXPECT_EQ(joystick->FindAxis("z axis"), joystick->GetAxis(2));
  seam::JoystickCaps onlyR = seam::MakeJoystickCaps("R", 0, false);
  auto second = Plug(4, onlyR);
  ASSERT_EQ(second->GetAxisCount(), 3);
  EXPECT_STREQ(second->GetAxis(2)->GetName(), "R Axis");
  EXPECT_EQ(second->GetElementCount(), 0);
}

TEST_F(JoystickTest, OpenFailsWithoutADeviceOrCapabilities) {
  CJoystick joystick;
  EXPECT_FALSE(IsJoystickPresent(5));
  EXPECT_FALSE(joystick.Open(5));
  EXPECT_FALSE(joystick.Open(-1));
  EXPECT_FALSE(joystick.Open(16));
  world.joysticks().Plug(5, Gamepad());
  world.joysticks().SetCapsFailure(5, true);
  EXPECT_TRUE(IsJoystickPresent(5));
  EXPECT_FALSE(joystick.Open(5));
  EXPECT_EQ(joystick.GetElementCount(), 0);
  world.joysticks().SetCapsFailure(5, false);
  EXPECT_TRUE(joystick.Open(5));
}

TEST_F(JoystickTest, MoreThan32ButtonsAreCut) {
  seam::JoystickCaps caps = seam::MakeJoystickCaps("", 32, false);
  caps.numButtons = 40;  // a driver that reports nonsense
  auto joystick = Plug(0, caps);
  EXPECT_EQ(joystick->GetElementCount(), 32);
}

TEST_F(JoystickTest, PollsAtTheProfileDelay) {
  auto joystick = Plug(0, Gamepad());
  const auto profile = Write("p.xml", "<Joystick Delay='50'/>");
  ASSERT_TRUE(joystick->LoadProfile(profile.c_str(), true));
  EXPECT_TRUE(joystick->IsActive());
  EXPECT_EQ(joystick->GetPollingDelay(), 50);
  const int before = world.joysticks().StateReads(0);
  world.Advance(200);
  EXPECT_EQ(world.joysticks().StateReads(0) - before, 4);
  joystick->SetActive(false);
  EXPECT_FALSE(joystick->IsActive());
  world.Advance(200);
  EXPECT_EQ(world.joysticks().StateReads(0) - before, 4);
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  joystick->SetActive(true);
  world.Advance(100);
  EXPECT_EQ(world.joysticks().StateReads(0) - before, 6);
}

TEST_F(JoystickTest, DefaultDelayAndTooShortDelays) {
  auto joystick = Plug(0, Gamepad());
  ASSERT_TRUE(joystick->LoadProfile(Write("p.xml", "<Joystick/>").c_str(), true));
  EXPECT_EQ(joystick->GetPollingDelay(), 30);
  auto second = Plug(1, Gamepad());
  ASSERT_TRUE(second->LoadProfile(Write("q.xml", "<Joystick Delay='0'/>").c_str(), true));
  EXPECT_EQ(second->GetPollingDelay(), 1);  // a 0 ms timer would be refused: no polling at all
  EXPECT_TRUE(second->IsActive());
  const int before = world.joysticks().StateReads(1);
  world.Advance(10);
  EXPECT_EQ(world.joysticks().StateReads(1) - before, 10);
}

TEST_F(JoystickTest, DeviceWithoutButtonsStillPollsItsAxes) {
  auto joystick = Plug(0, seam::MakeJoystickCaps("", 0, false));
  const auto profile = Write("p.xml", R"(<Joystick><Axes>
    <Axis name="X Axis" type="Horizontal"><Direction Name="Left"/>
      <Direction Name="Right"><Actions><Action Number="0" Theme="Keys" Name="B"/></Actions></Direction>
    </Axis></Axes></Joystick>)");
  ASSERT_TRUE(joystick->LoadProfile(profile.c_str(), true));
  world.joysticks().SetAxis(0, 'X', 65535);
  Poll();
  EXPECT_EQ(KeyTrace(0x42), "d");
  world.joysticks().SetAxis(0, 'X', 32767);
  Poll();
  EXPECT_EQ(KeyTrace(0x42), "du");
}

TEST_F(JoystickTest, ShiftStateReachesEveryElementWithinThePoll) {
  auto joystick = Plug(0, Gamepad());
  const auto profile = Write("p.xml", R"(<Joystick>
    <ShiftButtons><ShiftButton ButtonNumber="1"/></ShiftButtons>
    <Axes><Axis name="X Axis" type="Horizontal"><Direction Name="Left"/>
      <Direction Name="Right"><Actions>
        <Action Number="0" Theme="Keys" Name="E"/><Action Number="1" Theme="Keys" Name="F"/>
      </Actions></Direction></Axis></Axes>
    <Buttons><Button number="2"><Actions>
      <Action number="0" Theme="Keys" name="A"/><Action number="1" Theme="Keys" name="B"/>
    </Actions></Button></Buttons></Joystick>)");
  ASSERT_TRUE(joystick->LoadProfile(profile.c_str(), true));
  EXPECT_EQ(joystick->GetShiftButtonCount(), 1);
  Poll();  // buttons seen up: armed
  world.joysticks().PressButton(0, 2);
  world.joysticks().SetAxis(0, 'X', 65535);
  Poll();
  EXPECT_EQ(KeyTrace(0x41), "d");
  EXPECT_EQ(KeyTrace(0x45), "d");
  world.joysticks().PressButton(0, 1);  // the shift button
  Poll();
  EXPECT_EQ(joystick->GetShiftState(), 1);
  EXPECT_EQ(KeyTrace(0x41), "du");  // switched within the same poll
  EXPECT_EQ(KeyTrace(0x42), "d");
  EXPECT_EQ(KeyTrace(0x45), "du");  // the axis stops at once ...
  EXPECT_EQ(KeyTrace(0x46), "");
  Poll();
  EXPECT_EQ(KeyTrace(0x46), "d");  // ... and presses again at the next poll
  world.joysticks().ReleaseButton(0, 1);
  Poll();
  EXPECT_EQ(joystick->GetShiftState(), 0);
  EXPECT_EQ(KeyTrace(0x42), "du");
  EXPECT_EQ(KeyTrace(0x41), "dud");
  EXPECT_EQ(KeyTrace(0x46), "du");
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(joystick->GetButton(n)->GetShiftState(), 0);
  EXPECT_EQ(joystick->GetAxis(0)->GetShiftState(), 0);
}

TEST_F(JoystickTest, SecondShiftButtonTakesOverWhenTheFirstIsReleased) {
  auto joystick = Plug(0, Gamepad());
  const auto profile = Write("p.xml", R"(<Joystick>
    <ShiftButtons><ShiftButton ButtonNumber="1"/><ShiftButton ButtonNumber="2"/></ShiftButtons>
    <Buttons><Button number="3"><Actions>
      <Action number="1" Theme="Keys" name="A"/><Action number="2" Theme="Keys" name="B"/>
    </Actions></Button></Buttons></Joystick>)");
  ASSERT_TRUE(joystick->LoadProfile(profile.c_str(), true));
  Poll();
  world.joysticks().PressButton(0, 1);
  Poll();
  world.joysticks().PressButton(0, 2);  // under shift 1: an ordinary button without action
  Poll();
  EXPECT_EQ(joystick->GetShiftState(), 1);
  world.joysticks().ReleaseButton(0, 1);
  Poll();
  EXPECT_EQ(joystick->GetShiftState(), 2);  // the held shift button 2 takes over in the poll
  world.joysticks().PressButton(0, 3);
  Poll();
  EXPECT_EQ(KeyTrace(0x42), "d");
  EXPECT_EQ(KeyTrace(0x41), "");
}

TEST_F(JoystickTest, AddShiftButtonIgnoresRepeatsAndOutOfRangeNumbers) {
  auto joystick = Plug(0, seam::MakeJoystickCaps("", 2, false));
  joystick->AddShiftButton(0);
  joystick->AddShiftButton(-3);
  joystick->AddShiftButton(3);
  EXPECT_EQ(joystick->GetShiftButtonCount(), 0);
  joystick->AddShiftButton(1);
  joystick->AddShiftButton(1);
  EXPECT_EQ(joystick->GetShiftButtonCount(), 1);
  EXPECT_EQ(joystick->GetButton(1)->GetShiftNumber(), 1);
  EXPECT_EQ(joystick->GetButton(2)->GetHighestShiftState(), 1);
  EXPECT_EQ(joystick->GetAxis(0)->GetHighestShiftState(), 1);
  joystick->AddShiftButton(2);
  EXPECT_EQ(joystick->GetShiftButtonCount(), 2);
  EXPECT_EQ(joystick->GetButton(2)->GetShiftNumber(), 2);
  EXPECT_EQ(joystick->GetButton(1)->GetHighestShiftState(), 2);
}

TEST_F(JoystickTest, ButtonHeldAtOpeningWaitsForAReleaseButTheHatFiresAtOnce) {
  world.joysticks().Plug(0, Gamepad());
  world.joysticks().PressButton(0, 1);
  world.joysticks().SetPov(0, 0);
  CJoystick joystick;
  ASSERT_TRUE(joystick.Open(0));
  const auto profile = Write("p.xml", R"(<Joystick>
    <Buttons><Button number="1"><Actions><Action number="0" Theme="Keys" name="A"/></Actions></Button></Buttons>
    <POV><Direction name="Forward"><Actions><Action number="0" Theme="Keys" name="B"/></Actions></Direction></POV>
    </Joystick>)");
  ASSERT_TRUE(joystick.LoadProfile(profile.c_str(), true));
  Poll(3);
  EXPECT_EQ(KeyTrace(0x41), "");
  EXPECT_EQ(KeyTrace(0x42), "d");
  world.joysticks().ReleaseButton(0, 1);
  Poll();
  world.joysticks().PressButton(0, 1);
  Poll();
  EXPECT_EQ(KeyTrace(0x41), "d");
}

TEST_F(JoystickTest, HoldKeyRepeatsWhileTheButtonIsHeld) {
  auto joystick = Plug(0, Gamepad());
  ASSERT_TRUE(joystick->LoadProfile(Write("p.xml", R"(<Joystick><Buttons><Button number="1">
    <Actions><Action number="0" Theme="Keys" name="A"/></Actions></Button></Buttons></Joystick>)")
                                        .c_str(),
                                    true));
  Poll();
  world.joysticks().PressButton(0, 1);
  Poll();
  world.Advance(2000);
  const std::string trace = KeyTrace(0x41);
  EXPECT_GT(trace.size(), 5u);
  EXPECT_EQ(trace.find('u'), std::string::npos);
  world.joysticks().ReleaseButton(0, 1);
  Poll();
  EXPECT_EQ(KeyTrace(0x41).back(), 'u');
  EXPECT_TRUE(world.input().AllReleased());
}

// A poll that reads what the previous one read skips the elements, unless something changed
// them in between: then a held button must be seen as held again.
TEST_F(JoystickTest, ElementsChangedBetweenPollsAreEvaluatedAgain) {
  auto joystick = Plug(0, Gamepad());
  ASSERT_TRUE(joystick->LoadProfile(Write("p.xml", R"(<Joystick><Buttons><Button number="1">
    <Actions><Action number="0" Theme="Keys" name="A"/></Actions></Button></Buttons></Joystick>)")
                                        .c_str(),
                                    true));
  Poll();
  world.joysticks().PressButton(0, 1);
  Poll(3);
  EXPECT_EQ(KeyTrace(0x41), "d");
  joystick->SetActive(false);
  joystick->SetActive(true);
  Poll();
  EXPECT_EQ(KeyTrace(0x41), "dud");
  joystick->GetButton(5)->Enable(false);
  joystick->GetButton(5)->Enable(true);
  Poll();
  EXPECT_EQ(KeyTrace(0x41), "dudud");
  Poll(3);
  EXPECT_EQ(KeyTrace(0x41), "dudud");
}

TEST_F(JoystickTest, AxisWithNegativeSensitivityIsEvaluatedAtEveryPoll) {
  auto joystick = Plug(0, Gamepad());
  ASSERT_TRUE(joystick->LoadProfile(Write("p.xml", R"(<Joystick><Axes>
    <Axis name="X Axis" type="Horizontal" Sensitivity="-1"><Direction Name="Left"/>
      <Direction Name="Right"><Actions><Action Number="0" Theme="Keys" Name="C toggle"/></Actions></Direction>
    </Axis></Axes></Joystick>)")
                                        .c_str(),
                                    true));
  world.joysticks().SetAxis(0, 'X', 65535);
  Poll();
  EXPECT_EQ(KeyTrace(0x43), "d");
  Poll();  // the same reading presses the running toggle again, which arms it
  world.joysticks().SetAxis(0, 'X', 32767);
  Poll();
  EXPECT_EQ(KeyTrace(0x43), "du");
}

TEST_F(JoystickTest, ControllerPulledOutKeepsItsLastState) {
  auto joystick = Plug(0, Gamepad());
  ASSERT_TRUE(joystick->LoadProfile(Write("p.xml", R"(<Joystick><Buttons><Button number="1">
    <Actions><Action number="0" Theme="Keys" name="A"/></Actions></Button></Buttons></Joystick>)")
                                        .c_str(),
                                    true));
  Poll();
  world.joysticks().PressButton(0, 1);
  Poll();
  world.joysticks().Unplug(0);
  Poll(5);  // failed reads change nothing
  EXPECT_EQ(KeyTrace(0x41).find('u'), std::string::npos);
  joystick.reset();  // what the hot-plug check does within a second
  EXPECT_TRUE(world.input().AllReleased());
}

}  // namespace
