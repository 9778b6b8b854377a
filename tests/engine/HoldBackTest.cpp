// Holding a controller's actions back while an input is picked by pressing it: what it held is
// released once, nothing fires meanwhile while the live state goes on, and afterwards every
// input presses afresh: one still held when the hold-back ends waits until it was released.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "platform/PadLayout.h"

namespace {

class HoldBackTest : public EngineFixture {
 protected:
  HoldBackTest() {
    for (const char* name : {"press", "rel", "fw", "pos", "neg"}) {
      auto action = std::make_unique<CRecordingAction>(name, &log);
      action->SetTheme("Keys");
      AddAction(std::move(action));
    }
    joystick = Plug(0, seam::PadCaps("Pad"));
    EXPECT_TRUE(Load(
        *joystick,
        "<Axes>" +
            Axis("name='X Axis' type='Horizontal'", "Left", Acts(Act("neg")), "Right",
                 Acts(Act("pos"))) +
            Axis("name='Z Axis' type='Vertical'", "Up", Acts(Act("neg")), "Down",
                 Acts(Act("pos"))) +
            "</Axes><Buttons>" +
            Button(1, Acts(Act("press")) + "<ReleaseActions>" + Act("rel") + "</ReleaseActions>") +
            "</Buttons><POV>" + Hat("Forward", Acts(Act("fw"))) + "</POV>"));
    Poll();  // button 1 seen up: armed
  }

  std::string log;  // outlives the controller, whose actions stop into it
  std::unique_ptr<CJoystick> joystick;
};

// Each input is held when the hold-back starts, moved up and down while held back, still held
// when it ends, then released and pressed again. One that is up when the hold-back ends counts
// at the very next poll.
TEST_F(HoldBackTest, HeldInputIsReleasedOnceAndPressesOnlyAfresh) {
  const struct {
    const char* input;
    std::uint32_t down, up;  // the input's reading when held and when let go
    const char* trace;
    const char* cycle;  // a press and a release
  } cases[] = {
      {"button", 1, 0, "+press -press +press -press +rel -rel", "+press -press +rel -rel"},
      {"hat", 0, seam::kPovCentered, "+fw -fw +fw -fw", "+fw -fw"},
      {"left trigger", 65535, 0, "+pos@100 -pos +pos@100 -pos", "+pos@100 -pos"},
      {"right trigger", 65535, 0, "+neg@100 -neg +neg@100 -neg", "+neg@100 -neg"},
      {"axis max", 65535, 32767, "+pos@100 -pos +pos@100 -pos", "+pos@100 -pos"},
      {"axis min", 0, 33000, "+neg@100 -neg +neg@100 -neg", "+neg@100 -neg"},  // 33000: dead zone
  };
  auto& pad = world.joysticks();
  for (const auto& c : cases) {
    const std::string input = c.input;
    const auto set = [&](std::uint32_t value) {
      if (input == "button") value != 0 ? pad.PressButton(0, 1) : pad.ReleaseButton(0, 1);
      if (input == "hat") pad.SetPov(0, value);
      if (input.starts_with("axis")) pad.SetAxis(0, 'X', value);
      if (input.ends_with("trigger")) {
        seam::JoystickState state = pad.State(0);
        (input == "left trigger" ? state.leftTrigger : state.rightTrigger) = value;
        pad.SetState(0, state);
      }
      Poll();
    };
    log.clear();
    set(c.down);
    joystick->HoldBack(true);
    EXPECT_TRUE(joystick->IsHeldBack());
    for (int n = 0; n < 3; ++n) {
      EXPECT_FALSE(joystick->GetButton(1)->IsPressed() || joystick->GetAxis(0)->IsPressed() ||
                   joystick->GetAxis(2)->IsPressed() || joystick->GetButton(5)->IsPressed())
          << input;
      set(n % 2 == 0 ? c.up : c.down);
    }
    EXPECT_EQ(joystick->LiveState()->axes[0], input.starts_with("axis") ? c.up : 32767) << input;
    set(c.down);
    joystick->HoldBack(false);
    Poll();
    set(c.up);
    set(c.down);
    set(c.up);
    EXPECT_EQ(log, c.trace) << input;
    log.clear();
    joystick->HoldBack(true);
    joystick->HoldBack(false);
    set(c.down);
    set(c.up);
    EXPECT_EQ(log, c.cycle) << input;
  }
  Move('X', 32267);  // the dead zone's edge belongs to it: nothing is held there
  joystick->HoldBack(true);
  joystick->HoldBack(false);
  log.clear();
  Move('X', 0);
  EXPECT_EQ(log, "+neg@100");
}

// A shift button held when the hold-back starts is let go with the rest: the elements return
// to the unshifted actions. A running toggle ends too, and a profile loaded while held back
// (here one that gives the axis an action) leaves every element disabled.
TEST_F(HoldBackTest, ShiftStateTogglesAndLoadsWhileHeldBack) {
  ASSERT_TRUE(
      Load(*joystick, "<ShiftButtons><ShiftButton ButtonNumber='2'/></ShiftButtons><Buttons>" +
                          Button(1, Acts(Act("C toggle"))) + "</Buttons>"));
  Poll();
  Press(1);
  Press(1, false);
  Press(2);
  EXPECT_EQ(joystick->GetShiftState(), 1);
  EXPECT_EQ(Keys("C"), "C=d");
  joystick->HoldBack(true);
  EXPECT_EQ(joystick->GetShiftState(), 0);
  EXPECT_EQ(joystick->LiveState()->shiftState, 0);
  EXPECT_EQ(Keys("C"), "C=du");
  ASSERT_TRUE(
      Load(*joystick, "<Axes>" +
                          Axis("name='Y Axis' type='Vertical'", "Up", "", "Down", Acts(Act("E"))) +
                          "</Axes>"));
  Press(2, false);
  Press(1);
  Move('Y', 65535);
  EXPECT_EQ(Keys("CE"), "C=du E=");
  joystick->HoldBack(false);
  Press(1, false);
  Press(1);
  Move('Y', 32767);
  Move('Y', 65535);
  EXPECT_EQ(Keys("CE"), "C=dud E=d");
}

}  // namespace
