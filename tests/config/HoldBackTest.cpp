// A controller held back by ID while the window picks an input: it stays held back whichever
// object takes its slot, until the window ends it or the configuration is reloaded.
#include <gtest/gtest.h>

#include "ConfigFixture.h"

namespace {

using HoldBackTest = ConfigFixture;

TEST_F(HoldBackTest, BelongsToTheIdUntilEndedOrReloaded) {
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\"><Profile window=\"Game\" fileName=\"B.xml\"/>"
      "</Joystick>");
  Plug(0);
  auto& config = Make();
  world.Advance(30);
  world.joysticks().PressButton(0, 1);
  world.Advance(30);
  ASSERT_FALSE(world.input().AllReleased());
  config.HoldBack(0, true);
  EXPECT_TRUE(world.input().AllReleased());
  EXPECT_EQ(Tap(0), "");
  // A switch and a controller plugged in again bring new objects: held back from the start.
  config.SwitchProfileForWindow("Game");
  EXPECT_EQ(Slot(0), "B.xml*");
  EXPECT_EQ(Tap(0), "");
  world.joysticks().Unplug(0);
  world.Advance(1000);
  EXPECT_EQ(Slot(0), "-");
  EXPECT_FALSE(config.LiveState(0));
  Plug(0);
  world.Advance(1000);
  EXPECT_EQ(Slot(0), "A.xml*");
  world.joysticks().PressButton(0, 2);
  world.Advance(30);
  EXPECT_EQ(config.LiveState(0)->buttons, 2u) << "the live state goes on";
  EXPECT_EQ(Tap(0), "");
  EXPECT_TRUE(config.IsHeldBack(0));
  config.HoldBack(0, false);
  EXPECT_EQ(Tap(0), "A");
  // A reload ends every hold-back, and the rules hold for the window still in front.
  config.HoldBack(0, true);
  config.Load();
  EXPECT_FALSE(config.IsHeldBack(0));
  EXPECT_EQ(Tap(0), "B");
  EXPECT_TRUE(world.input().AllReleased());
}

}  // namespace
