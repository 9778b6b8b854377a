// What the live view shows from a reading, and the one way every part of the program reads a
// hat: the engine's hat directions, input detection and the live view agree on each reading.
#include <gtest/gtest.h>

#include "config/TandrelConfiguration.h"
#include "engine/InputDetector.h"
#include "engine/JoystickPOVButton.h"
#include "liveview/Follower.h"
#include "liveview/LiveView.h"
#include "support/VirtualWorld.h"

namespace {

// X from 0 to 65535 with a dead zone 1000 wide and entries at 0 % and 50 % on both sides in
// shift state 0, and a hat.
JoystickLiveLayout Pad(const std::string& profile = "C:\\Pads\\Pad.xml") {
  JoystickLiveLayout layout;
  layout.hasPov = true;
  layout.buttonCount = 3;
  layout.profilePath = profile;
  LiveAxisLayout& x = layout.axes.emplace_back();
  x.name = "X Axis";
  x.max = 65535;
  x.threshold = 1000;
  x.low = 32267;
  x.high = 33267;
  x.towardsMinPercents = {{0, 50}};
  x.towardsMaxPercents = {{0, 50}};
  return layout;
}

TEST(LiveViewTest, HatReadingsMeanTheSameEverywhere) {
  const struct {
    std::uint32_t pov;
    const char* hat;         // the live view's name, "" for centred
    const char* directions;  // the engine's elements in range: F, R, B, L
    int detected;            // the detector's direction, -1 for none
  } cases[] = {
      // The view and the detector name the nearest direction of eight and of four (a diagonal
      // counting as the one clockwise of it); the engine's windows overlap near the diagonals.
      {0, "Forward", "F", 0},
      {2800, "Forward Right", "F", 0},
      {4500, "Forward Right", "FR", 1},
      {6200, "Forward Right", "R", 1},
      {9000, "Right", "R", 1},
      {22000, "Backward Left", "BL", 2},
      {29800, "Forward Left", "L", 3},
      {31500, "Forward Left", "FL", 0},
      {33200, "Forward Left", "F", 0},
      {35999, "Forward", "F", 0},
      {36000, "", "", -1},
      {40000, "", "", -1},
      {seam::kPovCentered, "", "", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pov);
    JoystickLiveState state;
    state.pov = c.pov;
    EXPECT_EQ(liveview::MakeView(Pad(), state).hat, c.hat);
    std::string directions;
    for (int angle : {0, 90, 180, 270}) {
      if (CJoystickPOVButton(nullptr, angle).InRange(c.pov)) directions += "FRBL"[angle / 90];
    }
    EXPECT_EQ(directions, c.directions);
    VirtualWorld world;
    CInputDetector detector(Pad(), JoystickLiveState{});
    detector.Update(state);
    const auto found = detector.Found();
    EXPECT_EQ(found ? found->number : -1, c.detected);
  }
}

// Positions on the axis' own scale, the dead zone, the deflection as the engine counts it (from
// the dead zone's edge, a part of the way being a part, never the whole), the marks of the
// entries, and the profile's file name without its folder.
TEST(LiveViewTest, AxesButtonsAndTheProfileAsTheViewShowsThem) {
  const struct {
    std::uint32_t x;
    int deflection;
    double position;
  } axes[] = {{32767, 0, 0.0},      {32267, 0, -0.015},  {33268, 0, 0.015}, {16133, -50, -0.5},
              {0, -100, -1.0},      {49402, 50, 0.5076}, {65535, 100, 1.0}, {70000, 100, 1.14},
              {32266, 0, -0.01529}, {24000, -25, -0.27}};
  for (const auto& c : axes) {
    SCOPED_TRACE(c.x);
    JoystickLiveState state;
    state.axes[0] = c.x;
    const liveview::AxisView axis = liveview::MakeView(Pad(), state).axes.at(0);
    EXPECT_EQ(axis.deflection, c.deflection);
    EXPECT_NEAR(axis.position, c.position, 0.01);
    EXPECT_NEAR(axis.deadLow, -0.0153, 0.001);
    EXPECT_NEAR(axis.deadHigh, 0.0153, 0.001);
    ASSERT_EQ(axis.towardsMaxMarks.size(), 2u);
    EXPECT_NEAR(axis.towardsMaxMarks[1], 0.5 + 0.0153 / 2, 0.001);
    EXPECT_NEAR(axis.towardsMinMarks[1], -0.5 - 0.0153 / 2, 0.001);
  }
  JoystickLiveState state;
  state.buttons = 0b101;
  state.pov = 9000;
  state.axes[0] = 65535;
  state.shiftState = 1;  // no entries of its own: no marks
  for (const auto& [profile, shown] : {std::pair{"C:\\Pads\\Pad.xml", "Pad.xml"},
                                       {"/home/u/.config/tandrel/Pad.xml", "Pad.xml"},
                                       {"", "none"}}) {
    const liveview::View view = liveview::MakeView(Pad(profile), state);
    EXPECT_TRUE(view.axes[0].towardsMaxMarks.empty());
    EXPECT_EQ(view.Describe(), std::string("Buttons down: 1, 3. Hat: Right. X Axis +100 %. ") +
                                   "Profile: " + shown + ", shift state 1.");
  }
}

}  // namespace

// A pad's inputs carry their names, and its Z shows as two axes, one a trigger: each shows and
// is detected on its own side, whatever the other does.
TEST(LiveViewTest, APadsTriggersAreTwoAxesWithTheirNames) {
  JoystickLiveLayout layout = Pad();
  layout.controllerLayout = seam::ControllerLayout::Pad;
  layout.axes[0].name = "Z Axis";
  layout.axes[0].index = 2;
  layout.axes[0].split = true;
  JoystickLiveState state;
  state.buttons = 0b1;
  state.triggers = {65535, 32768};  // the left one pulled fully, the right one half
  const liveview::View view = liveview::MakeView(layout, state);
  EXPECT_EQ(view.Describe(),
            "Buttons down: 1 (A). Hat (D-pad): centred. Z Axis (Left Trigger) +100 %, Z Axis "
            "(Right Trigger) -49 %. Profile: Pad.xml, shift state 0.");
  EXPECT_TRUE(view.axes[0].towardsMinMarks.empty() && view.axes[1].towardsMaxMarks.empty());
  VirtualWorld world;
  for (const bool left : {true, false}) {
    CInputDetector detector(layout, state);  // both held at the start: neither counts
    detector.Update(state);
    state.triggers[left ? 0 : 1] = 0;
    detector.Update(state);
    state.triggers[left ? 0 : 1] = 65535;
    ASSERT_EQ(detector.Update(state), DetectionStatus::Found);
    EXPECT_EQ(detector.Found()->towardsMax, left);
  }
}

// The tab's list holds the controllers present and, before a choice, nothing else.
TEST(LiveViewTest, TheListBeforeAnyChoiceHoldsTheControllersPresent) {
  VirtualWorld world;
  world.UseTempProgramFolder();
  world.Write("Actions.xml", "<Actions/>");
  world.Write("Tandrel.exe.config",
              "<Configuration><Actions fileName='Actions.xml'/><Joysticks/></Configuration>");
  world.joysticks().Plug(3, seam::MakeJoystickCaps("", 4, false, 0, 65535, "Pad"));
  CTandrelConfiguration configuration(ConfigurationSettings{});
  liveview::Follower follower(configuration);
  const auto entries = follower.Entries();
  EXPECT_EQ(entries, (std::vector<liveview::Follower::Entry>{{"Pad", 3}}));
  EXPECT_EQ(follower.ChosenIndex(entries), 0);
  follower.Choose(&entries[0]);  // shown: held back, until the user lets it act
  follower.HoldBack(true, false);
  EXPECT_TRUE(configuration.IsHeldBack(3));
  follower.HoldBack(true, true);
  EXPECT_FALSE(configuration.IsHeldBack(3));
}
