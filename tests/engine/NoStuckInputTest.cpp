// Whatever a controller's elements hold running (a key repeating, a mouse button down, the
// pointer moving, the wheel turning, a toggle started by an earlier press), deactivating,
// destroying or replacing the controller ends it: every key that went down goes up, and no
// timer goes on sending input.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "EngineFixture.h"

namespace {

const std::string kProfile =
    "<Axes>" +
    Axis("name='X Axis' type='Horizontal'", "Left", Acts(Act("Wheel down")), "Right",
         Acts(Act("Right"))) +
    Axis("name='Y Axis' type='Vertical'", "Up", Acts(Act("G toggle")), "Down", Acts(Act("H"))) +
    "</Axes><Buttons>" + Button(1, Acts(Act("A"))) + Button(2, Acts(Act("C toggle"))) +
    Button(3, Acts(Act("Left button"))) + Button(4, Acts(Act("D repeat"))) + "</Buttons><POV>" +
    Hat("forward", Acts(Act("B"))) + Hat("right", Acts(Act("Up toggle"))) +
    Hat("backward", Acts(Act("I toggle"))) + Hat("left", Acts(Act("Chord"))) + "</POV>";

using Step = std::function<void(seam::SimJoysticks&)>;
struct Scenario {
  const char* name;
  // Bring the element into the state in which it holds its action running; a poll follows
  // each step.
  std::vector<Step> steps;
  bool keyDown;  // a key or mouse button stays down (else the pointer or wheel moves)
};
Step ButtonTo(int number, bool down) {
  return [=](auto& j) { down ? j.PressButton(0, number) : j.ReleaseButton(0, number); };
}
Step HatTo(std::uint32_t pov) {
  return [=](auto& j) { j.SetPov(0, pov); };
}
Step AxisTo(char axis, std::uint32_t x) {
  return [=](auto& j) { j.SetAxis(0, axis, x); };
}
const std::uint32_t kCentred = seam::kPovCentered;

const Scenario kScenarios[] = {
    {"ButtonHoldKeyRepeating", {ButtonTo(1, true)}, true},
    {"ButtonToggleAfterRelease", {ButtonTo(2, true), ButtonTo(2, false)}, true},
    {"ButtonToggleHeld", {ButtonTo(2, true)}, true},
    {"ButtonMouseButton", {ButtonTo(3, true)}, true},
    {"ButtonRepeat", {ButtonTo(4, true)}, false},
    {"HatHoldKey", {HatTo(0)}, true},
    {"HatDiagonal", {HatTo(4500)}, true},
    {"HatMouseToggleAfterCentring", {HatTo(9000), HatTo(kCentred)}, false},
    {"HatChordWithToggledPart", {HatTo(27000), HatTo(kCentred)}, true},
    {"HatKeyToggle", {HatTo(18000)}, true},
    {"AxisMouseMoving", {AxisTo('X', 65535)}, false},
    {"AxisWheelTurning", {AxisTo('X', 0)}, false},
    {"AxisHoldKey", {AxisTo('Y', 65535)}, true},
    {"AxisToggleAfterCentring", {AxisTo('Y', 0), AxisTo('Y', 32767)}, true},
};
enum class Ending { Destroy, Deactivate, RemoveElements, Replace, LoadAnotherProfile };
const char* const kEndingNames[] = {"Destroy", "Deactivate", "RemoveElements", "Replace",
                                    "LoadAnotherProfile"};

void PrintTo(const Scenario& scenario, std::ostream* os) { *os << scenario.name; }

class NoStuckInputTest : public EngineFixture,
                         public ::testing::WithParamInterface<std::tuple<Scenario, Ending>> {};

TEST_P(NoStuckInputTest, EveryRunningActionEnds) {
  const auto& [scenario, ending] = GetParam();
  auto joystick = Plug(0);
  ASSERT_TRUE(Load(*joystick, kProfile));
  Poll();
  for (const auto& step : scenario.steps) {
    step(world.joysticks());
    Poll();
  }
  world.Advance(1500);  // long enough for keys to repeat and the pointer to move
  if (scenario.keyDown) {
    ASSERT_FALSE(world.input().AllReleased());
  } else {
    const auto before = world.input().Count();
    world.Advance(300);
    ASSERT_GT(world.input().Count(), before);  // moving or scrolling
  }

  const bool pollsOn = ending == Ending::Replace || ending == Ending::LoadAnotherProfile;
  switch (ending) {
    case Ending::Destroy:
      joystick.reset();
      break;
    case Ending::Deactivate:
      joystick->SetActive(false);
      break;
    case Ending::RemoveElements:
      joystick->RemoveAllElements();
      break;
    case Ending::Replace: {  // what automatic switching does: a fresh controller takes over
      auto fresh = std::make_unique<CJoystick>();
      ASSERT_TRUE(fresh->Open(0));
      ASSERT_TRUE(Load(*fresh, "", false));
      joystick = std::move(fresh);
      break;
    }
    case Ending::LoadAnotherProfile:
      ASSERT_TRUE(Load(*joystick, "", false));
      break;
  }
  EXPECT_TRUE(world.input().AllReleased());
  if (pollsOn) {  // once the controls are at rest nothing may stay down or go on
    world.joysticks().SetState(0, seam::CenteredJoystickState(Gamepad()));
    world.Advance(3000);
    EXPECT_TRUE(world.input().AllReleased());
  }
  const auto after = world.input().Count();
  world.Advance(3000);
  EXPECT_EQ(world.input().Count(), after) << "input went on after the end";
  EXPECT_TRUE(pollsOn || world.timers().RunningTimers() == 0u);
}

INSTANTIATE_TEST_SUITE_P(Elements, NoStuckInputTest,
                         ::testing::Combine(::testing::ValuesIn(kScenarios),
                                            ::testing::Values(Ending::Destroy, Ending::Deactivate,
                                                              Ending::RemoveElements,
                                                              Ending::Replace,
                                                              Ending::LoadAnotherProfile)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  kEndingNames[static_cast<int>(std::get<1>(info.param))];
                         });

}  // namespace
