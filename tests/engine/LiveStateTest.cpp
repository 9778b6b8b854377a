// What a controller shows of itself to the live view: the latest reading with the shift state,
// published by the poll, and the layout of its elements and axis settings.
#include <gtest/gtest.h>

#include "EngineFixture.h"

namespace {

using LiveStateTest = EngineFixture;

// The axes the pad does not have read as centred.
JoystickLiveState Reading(std::uint32_t buttons, std::uint32_t x, std::uint32_t y,
                          std::uint32_t pov, int shift, std::uint32_t generation) {
  return {buttons, {x, y, 32767, 32767, 32767, 32767}, pov, {}, shift, generation};
}

// A polling controller shows what its last poll read, not what the device holds meanwhile; one
// that does not poll (no profile yet) is read when the caller asks for it (ReadIdle).
TEST_F(LiveStateTest, FollowsTheScriptedControllerPollByPoll) {
  auto joystick = Plug(0);  // X, Y, a hat, 4 buttons
  auto& pad = world.joysticks();
  pad.PressButton(0, 3);
  EXPECT_FALSE(joystick->LiveState()) << "read only when asked";
  joystick->ReadIdle();
  const auto unloaded = joystick->LiveState();
  ASSERT_TRUE(unloaded);
  EXPECT_EQ(unloaded->buttons, 4u);
  ASSERT_TRUE(Load(*joystick, "<ShiftButtons><ShiftButton ButtonNumber='4'/></ShiftButtons>"));
  const std::uint32_t generation = joystick->LiveLayout().profileGeneration;
  EXPECT_NE(unloaded->profileGeneration, generation);
  pad.ReleaseButton(0, 3);
  Poll();
  EXPECT_EQ(joystick->LiveState(), Reading(0, 32767, 32767, seam::kPovCentered, 0, generation));
  pad.PressButton(0, 2);
  pad.SetAxis(0, 'X', 1000);
  pad.SetAxis(0, 'Y', 65535);
  pad.SetPov(0, 9000);
  joystick->ReadIdle();  // leaves a polling controller alone
  EXPECT_EQ(joystick->LiveState()->buttons, 0u) << "published before the poll";
  Poll();
  EXPECT_EQ(joystick->LiveState(), Reading(2, 1000, 65535, 9000, 0, generation));
  Press(4);  // the shift button
  EXPECT_EQ(joystick->LiveState(), Reading(10, 1000, 65535, 9000, 1, generation));
  Press(4, false);
  EXPECT_EQ(joystick->LiveState()->shiftState, 0);
  // Another profile: a new generation, and the layout names it.
  ASSERT_TRUE(Load(*joystick, ""));
  const JoystickLiveLayout layout = joystick->LiveLayout();
  EXPECT_EQ(layout.profilePath, "p2.xml");
  EXPECT_EQ(joystick->LiveState()->profileGeneration, layout.profileGeneration);
  EXPECT_NE(layout.profileGeneration, generation);
  // Opened anew (plugged in again), it shows nothing of the device before until it is read.
  ASSERT_TRUE(joystick->Open(0));
  EXPECT_FALSE(joystick->LiveState());
}

// The dead zone of each axis and, per shift state, the percents that select its actions: a
// state without its own falls back to the nearest lower one.
TEST_F(LiveStateTest, LayoutShowsDeadZonesAndPercentsPerShiftState) {
  auto joystick = Plug(0, seam::MakeJoystickCaps("Z", 6, false, 0, 65535, "Stick"));
  ASSERT_TRUE(Load(*joystick, "<ShiftButtons><ShiftButton ButtonNumber='6'/></ShiftButtons><Axes>" +
                                  Axis("name='Y Axis' type='Vertical' Threshold='2000' "
                                       "swapped='true'",
                                       "Up", Acts(Act("A", 0, " percent='50'") + Act("B")), "Down",
                                       Acts(Act("E", 1, " percent='20'"))) +
                                  "</Axes>"));
  const JoystickLiveLayout layout = joystick->LiveLayout();
  EXPECT_EQ(layout.deviceName, "Stick");
  EXPECT_FALSE(layout.hasPov);
  EXPECT_EQ(layout.buttonCount, 6);
  EXPECT_EQ(layout.shiftButtonCount, 1);
  ASSERT_EQ(layout.axes.size(), 3u);
  const LiveAxisLayout& y = layout.axes[1];
  EXPECT_EQ(y.name, "Y Axis");
  EXPECT_EQ(layout.axes[2].index, 2);
  EXPECT_EQ(y.low, 31767u);
  EXPECT_EQ(y.high, 33767u);
  EXPECT_TRUE(y.vertical && y.swapped);
  // Swapped: "Up" holds the side towards max.
  using Percents = std::vector<std::vector<int>>;
  EXPECT_EQ(y.towardsMaxPercents, (Percents{{0, 50}, {0, 50}}));
  EXPECT_EQ(y.towardsMinPercents, (Percents{{}, {20}}));
  EXPECT_EQ(layout.axes[0].towardsMinPercents, (Percents{{}, {}}));
}

}  // namespace
