#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/SimJoysticks.h"

namespace {

using seam::JoystickCaps;
using seam::JoystickState;

// A record filled with values no read would produce, to see that a failed read leaves it.
JoystickState Marker() {
  JoystickState s;
  s.xPos = 11;
  s.yPos = 22;
  s.buttons = 0xA5;
  s.buttonNumber = 4;
  s.pov = 9000;
  return s;
}

bool Same(const JoystickState& a, const JoystickState& b) {
  return a.xPos == b.xPos && a.yPos == b.yPos && a.zPos == b.zPos && a.rPos == b.rPos &&
         a.uPos == b.uPos && a.vPos == b.vPos && a.buttons == b.buttons &&
         a.buttonNumber == b.buttonNumber && a.pov == b.pov;
}

TEST(SimJoysticks, MakeCapsSetsFlagsButtonsRangesAndName) {
  const JoystickCaps caps = seam::MakeJoystickCaps("xyZr", 12, true, 100, 900, "Pad");
  EXPECT_EQ(caps.caps, seam::kCapsHasZ | seam::kCapsHasR | seam::kCapsHasPov);
  EXPECT_EQ(caps.numButtons, 12u);
  EXPECT_EQ(caps.xMin, 100u);
  EXPECT_EQ(caps.vMax, 900u);
  EXPECT_STREQ(caps.productName, "Pad");

  const JoystickCaps all = seam::MakeJoystickCaps("ZRUV?", 40, false);
  EXPECT_EQ(all.caps, seam::kCapsHasZ | seam::kCapsHasR | seam::kCapsHasU | seam::kCapsHasV);
  EXPECT_EQ(all.numButtons, 32u);

  const JoystickCaps longName =
      seam::MakeJoystickCaps("", 0, false, 0, 65535, std::string(50, 'n'));
  EXPECT_EQ(std::strlen(longName.productName), 31u);
}

TEST(SimJoysticks, AbsentControllersFailAndLeaveTheRecordsUntouched) {
  seam::SimJoysticks joysticks;
  for (int id : {-1, 0, 7, 15, 16, 1000}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(joysticks.IsPresent(id));
    JoystickState state = Marker();
    EXPECT_FALSE(joysticks.GetState(id, state));
    EXPECT_TRUE(Same(state, Marker()));
    JoystickCaps caps;
    caps.numButtons = 77;
    caps.caps = 0x55;
    EXPECT_FALSE(joysticks.GetCaps(id, caps));
    EXPECT_EQ(caps.numButtons, 77u);
    EXPECT_EQ(caps.caps, 0x55u);
  }
}

TEST(SimJoysticks, PluggedControllerReportsCapsAndACentredState) {
  seam::SimJoysticks joysticks;
  joysticks.Plug(3, seam::MakeJoystickCaps("Z", 4, true, 0, 1000, "Three"));
  EXPECT_TRUE(joysticks.IsPresent(3));
  EXPECT_FALSE(joysticks.IsPresent(2));
  JoystickCaps caps;
  ASSERT_TRUE(joysticks.GetCaps(3, caps));
  EXPECT_STREQ(caps.productName, "Three");
  JoystickState state = Marker();
  ASSERT_TRUE(joysticks.GetState(3, state));
  EXPECT_EQ(state.xPos, 500u);
  EXPECT_EQ(state.zPos, 500u);
  EXPECT_EQ(state.buttons, 0u);
  EXPECT_EQ(state.pov, seam::kPovCentered);
}

TEST(SimJoysticks, UnplugMakesReadsFailUntilPluggedAgainWithAFreshState) {
  seam::SimJoysticks joysticks;
  joysticks.Plug(0, seam::MakeJoystickCaps("", 2, false));
  joysticks.PressButton(0, 2);
  joysticks.Unplug(0);
  JoystickState state = Marker();
  EXPECT_FALSE(joysticks.GetState(0, state));
  EXPECT_TRUE(Same(state, Marker()));
  joysticks.Plug(0, seam::MakeJoystickCaps("", 2, false));
  ASSERT_TRUE(joysticks.GetState(0, state));
  EXPECT_EQ(state.buttons, 0u);
}

TEST(SimJoysticks, CapsFailureKeepsThePositionQueryWorking) {
  seam::SimJoysticks joysticks;
  joysticks.Plug(5, seam::MakeJoystickCaps("", 2, false));
  joysticks.SetCapsFailure(5, true);
  EXPECT_TRUE(joysticks.IsPresent(5));
  JoystickCaps caps;
  caps.numButtons = 9;
  EXPECT_FALSE(joysticks.GetCaps(5, caps));
  EXPECT_EQ(caps.numButtons, 9u);
  joysticks.SetCapsFailure(5, false);
  EXPECT_TRUE(joysticks.GetCaps(5, caps));
  EXPECT_EQ(caps.numButtons, 2u);
}

TEST(SimJoysticks, StateChangesReachTheNextReadsAndReadsAreCounted) {
  seam::SimJoysticks joysticks;
  joysticks.Plug(1, seam::MakeJoystickCaps("UV", 32, true));
  joysticks.PressButton(1, 1);
  joysticks.PressButton(1, 32);
  joysticks.PressButton(1, 0);   // ignored
  joysticks.PressButton(1, 33);  // ignored
  joysticks.SetAxis(1, 'x', 0);
  joysticks.SetAxis(1, 'V', 65535);
  joysticks.SetAxis(1, 'Q', 1);  // ignored
  joysticks.SetPov(1, 27000);
  JoystickState state;
  ASSERT_TRUE(joysticks.GetState(1, state));
  EXPECT_EQ(state.buttons, 0x80000001u);
  EXPECT_EQ(state.buttonNumber, 2u);
  EXPECT_EQ(state.xPos, 0u);
  EXPECT_EQ(state.vPos, 65535u);
  EXPECT_EQ(state.pov, 27000u);

  joysticks.ReleaseButton(1, 1);
  ASSERT_TRUE(joysticks.GetState(1, state));
  EXPECT_EQ(state.buttons, 0x80000000u);
  EXPECT_EQ(state.buttonNumber, 1u);
  EXPECT_EQ(joysticks.StateReads(1), 2);
  EXPECT_EQ(joysticks.StateReads(2), 0);

  JoystickState whole;
  whole.buttons = 0x6;
  whole.yPos = 7;
  joysticks.SetState(1, whole);
  ASSERT_TRUE(joysticks.GetState(1, state));
  EXPECT_TRUE(Same(state, whole));
  EXPECT_TRUE(Same(joysticks.State(1), whole));
}

}  // namespace
