// A controller with a profile: its elements, its polling, the shift buttons, and what a poll
// evaluates again.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "platform/PadLayout.h"

namespace {

using JoystickTest = EngineFixture;

// With a hat, buttons come after the four directions; X and Y always exist; a driver that
// reports more than 32 buttons is cut at 32. Opening fails without a device or capabilities.
TEST_F(JoystickTest, ElementsFollowTheCapabilities) {
  auto pad = Plug(0);
  std::string names;
  for (int n = 0; n <= 9; ++n) names += pad->GetButton(n) ? pad->GetButton(n)->GetName() : "-";
  EXPECT_EQ(names, "-POV ForwardPOV RightPOV BackwardPOV LeftButton 1Button 2Button 3Button 4-");
  seam::JoystickCaps caps = seam::MakeJoystickCaps("RUV", 32, false);
  caps.numButtons = 40;
  auto stick = Plug(3, caps);
  EXPECT_EQ(stick->GetElementCount(), 32);
  ASSERT_EQ(stick->GetAxisCount(), 5);
  EXPECT_EQ(stick->FindAxis("u axis"), stick->GetAxis(3));
  EXPECT_EQ(stick->LiveLayout().axes.at(4).index, 5);  // V, after the absent Z
  CJoystick joystick;
  for (int id : {5, -1, 16}) EXPECT_FALSE(joystick.Open(id)) << id;
  world.joysticks().Plug(5, Gamepad());
  world.joysticks().SetCapsFailure(5, true);
  EXPECT_TRUE(IsJoystickPresent(5));
  EXPECT_FALSE(joystick.Open(5));
}

// The default files show the delays they name; 0 has no timer of its own and polls every ms.
TEST_F(JoystickTest, ADelayOfZeroPollsEveryMillisecond) {
  auto joystick = Plug(1);
  ASSERT_TRUE(Load(*joystick, "", true, " Delay='0'"));
  const int before = world.joysticks().StateReads(1);
  world.Advance(60);
  EXPECT_EQ(world.joysticks().StateReads(1) - before, 60);
}

// The button switches within the poll of the shift button; the axis, deflected to either side,
// stops at once (disabling it ends what it ran) and presses again at the next poll.
TEST_F(JoystickTest, ShiftStateReachesEveryElementWithinThePoll) {
  for (std::uint32_t end : {65535u, 0u}) {
    world.input().ClearLog();
    auto joystick = Plug(0, seam::MakeJoystickCaps("", 3, false));
    const std::string keys = Acts(Act("E") + Act("F", 1));
    ASSERT_TRUE(
        Load(*joystick, "<ShiftButtons><ShiftButton ButtonNumber='1'/></ShiftButtons><Axes>" +
                            Axis("name='X Axis' type='Horizontal'", "Left", keys, "Right", keys) +
                            "</Axes><Buttons>" + Button(2, Acts(Act("A") + Act("B", 1))) +
                            "</Buttons>"));
    Poll();  // buttons seen up: armed
    world.joysticks().PressButton(0, 2);
    Move('X', end);
    Press(1);  // the shift button
    EXPECT_EQ(joystick->GetShiftState(), 1);
    EXPECT_EQ(Keys("ABEF"), "A=du B=d E=du F=") << end;
    Poll();
    EXPECT_EQ(Keys("F"), "F=d");
    Press(1, false);
    EXPECT_EQ(joystick->GetShiftState(), 0);
    EXPECT_EQ(Keys("ABF"), "A=dud B=du F=du") << end;
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(joystick->GetButton(n)->GetShiftState(), 0);
    EXPECT_EQ(joystick->GetAxis(0)->GetShiftState(), 0);
    Press(2, false);
    Move('X', 32767);
    EXPECT_EQ(Keys("AE"), "A=dudu E=dudu") << end;
  }
}

// A pad's triggers drive the two sides of Z that a profile for the shared axis gives them, each
// on its own: both at once, each with its own deflection (its entries' percents), and one let
// go ends only its side. On the shared axis both pulled fully would read as neither.
TEST_F(JoystickTest, APadsTriggersDriveTheirSidesOfZEachOnItsOwn) {
  auto pad = Plug(0, seam::PadCaps("Pad"));
  ASSERT_TRUE(
      Load(*pad, "<Axes>" +
                     Axis("name='Z Axis' type='Vertical'", "Up",
                          Acts(Act("A") + Act("B", 0, " percent='50'")), "Down", Acts(Act("E"))) +
                     "</Axes>"));
  // The right trigger (Up, towards Z's min) fully, the left one (Down) too, the right one back to
  // 29 %, let go, and the left one let go.
  for (auto [left, right] :
       {std::pair{0u, 65535u}, {65535u, 65535u}, {65535u, 20000u}, {65535u, 0u}, {0u, 0u}}) {
    world.joysticks().SetState(0, seam::PadState({.leftTrigger = left, .rightTrigger = right}));
    Poll();
  }
  EXPECT_EQ(Keys("ABE"), "A=du B=du E=du");
}

// Under shift 1 the second shift button is an ordinary button.
TEST_F(JoystickTest, SecondShiftButtonTakesOverWhenTheFirstIsReleased) {
  auto joystick = Plug(0);
  ASSERT_TRUE(Load(*joystick,
                   "<ShiftButtons><ShiftButton ButtonNumber='1'/><ShiftButton ButtonNumber='2'/>"
                   "</ShiftButtons><Buttons>" +
                       Button(2, Acts(Act("E", 1))) + Button(3, Acts(Act("A", 1) + Act("B", 2))) +
                       Button(4, Acts(Act("F", 1))) + "</Buttons>"));
  Poll();
  Press(1);
  Press(2);
  EXPECT_EQ(joystick->GetShiftState(), 1);
  Press(1, false);
  EXPECT_EQ(joystick->GetShiftState(), 2);  // the held shift button 2 takes over in the poll
  Press(3);
  Press(4);  // an empty slot falls back to the highest lower one
  EXPECT_EQ(Keys("ABEF"), "A= B=d E=du F=d");
}

// A poll that reads what the previous one read skips the elements, unless something changed
// them in between (then a held button must be seen as held again) or an axis has a negative
// sensitivity (then the same reading presses its running toggle again, which arms it).
TEST_F(JoystickTest, ElementsChangedBetweenPollsAreEvaluatedAgain) {
  auto joystick = Plug(0);
  ASSERT_TRUE(Load(*joystick, kButton1A + "<Axes>" +
                                  Axis("name='X Axis' type='Horizontal' Sensitivity='-1'", "Left",
                                       "", "Right", Acts(Act("C toggle"))) +
                                  "</Axes>"));
  Poll();
  world.joysticks().PressButton(0, 1);
  world.joysticks().SetAxis(0, 'X', 65535);
  Poll(3);
  joystick->SetActive(false);
  joystick->SetActive(true);
  Poll();
  joystick->GetButton(5)->Enable(false);
  joystick->GetButton(5)->Enable(true);
  Poll(3);
  Move('X', 32767);
  EXPECT_EQ(Keys("AC"), "A=dudud C=dudu");  // the toggle ended while inactive
}

}  // namespace
