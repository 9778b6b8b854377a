// Scripted controllers: capabilities, state, and reads of absent ones that leave the record.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/SimJoysticks.h"

namespace {

using seam::JoystickCaps;
using seam::JoystickState;

bool Same(const JoystickState& a, const JoystickState& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A failed read leaves the caller's record as it was; a controller plugged again starts centred.
TEST(SimJoysticks, ReadsOfAbsentControllersFailAndLeaveTheRecordsUntouched) {
  seam::SimJoysticks joysticks;
  joysticks.Plug(0, seam::MakeJoystickCaps("", 2, false));
  joysticks.PressButton(0, 2);
  joysticks.Unplug(0);
  joysticks.Plug(5, seam::MakeJoystickCaps("", 2, false));
  joysticks.SetCapsFailure(5, true);  // present, but its capabilities cannot be read
  JoystickState marker;
  marker.xPos = 11, marker.buttons = 0xA5, marker.pov = 9000;
  for (int id : {-1, 0, 5, 7, 15, 16, 1000}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(joysticks.IsPresent(id), id == 5);
    JoystickState state = marker;
    EXPECT_EQ(joysticks.GetState(id, state), id == 5);
    EXPECT_TRUE(id == 5 || Same(state, marker));
    JoystickCaps caps;
    caps.numButtons = 77;
    EXPECT_FALSE(joysticks.GetCaps(id, caps));
    EXPECT_EQ(caps.numButtons, 77u);
  }
  joysticks.Plug(0, seam::MakeJoystickCaps("Z", 4, true, 0, 1000, "Zero"));
  JoystickState state = marker;
  ASSERT_TRUE(joysticks.GetState(0, state));
  EXPECT_EQ(state.xPos + state.zPos, 1000u);
  EXPECT_EQ(state.buttons, 0u);
  EXPECT_EQ(state.pov, seam::kPovCentered);
}

TEST(SimJoysticks, StateChangesReachTheNextReadsAndReadsAreCounted) {
  seam::SimJoysticks joysticks;
  joysticks.Plug(1, seam::MakeJoystickCaps("UV", 32, true));
  for (int button : {1, 32, 0, 33}) joysticks.PressButton(1, button);  // 0 and 33 ignored
  joysticks.SetAxis(1, 'x', 0);
  joysticks.SetAxis(1, 'V', 65535);
  joysticks.SetAxis(1, 'Q', 1);  // ignored
  joysticks.ReleaseButton(1, 1);
  JoystickState state;
  ASSERT_TRUE(joysticks.GetState(1, state));
  EXPECT_EQ(state.buttons, 0x80000000u);
  EXPECT_EQ(state.buttonNumber, 1u);
  EXPECT_EQ(state.xPos, 0u);
  EXPECT_EQ(state.vPos, 65535u);
  EXPECT_EQ(joysticks.StateReads(1), 1);
  EXPECT_EQ(joysticks.StateReads(2), 0);
}

}  // namespace
