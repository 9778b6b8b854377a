// Whatever a controller's elements hold running (a key repeating, a mouse button down, the
// pointer moving, the wheel turning, a toggle started by an earlier press), deactivating or
// destroying the controller or removing its elements ends it: every key that went down goes
// up, and no timer goes on sending input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineFixture.h"
#include "platform/PadLayout.h"

namespace {

// Steps that bring an element into the state in which it holds its action running, a poll
// after each: 'b' presses button n, 'r' releases it, 'h' turns the hat to v, 'X'/'Y' move an
// axis to v, 't' pulls both triggers of the pad to v.
struct Step {
  char kind;
  std::uint32_t v;
};
const struct Scenario {
  const char* name;
  std::vector<Step> steps;
  bool keyDown;  // a key or mouse button stays down (else the pointer or wheel moves)
} kScenarios[] = {
    {"ButtonHoldKeyRepeating", {{'b', 1}}, true},
    {"ButtonToggleAfterRelease", {{'b', 2}, {'r', 2}}, true},
    {"ButtonMouseButton", {{'b', 3}}, true},
    {"ButtonRepeat", {{'b', 4}}, false},
    {"HatDiagonal", {{'h', 4500}}, true},
    {"HatMouseToggleAfterCentring", {{'h', 9000}, {'h', seam::kPovCentered}}, false},
    {"HatChordWithToggledPart", {{'h', 27000}, {'h', seam::kPovCentered}}, true},
    {"AxisMouseMoving", {{'X', 65535}}, false},
    {"AxisWheelTurning", {{'X', 0}}, false},
    {"AxisToggleAfterCentring", {{'Y', 16000}, {'Y', 32767}}, true},
    {"BothTriggersMovingAndTurning", {{'t', 65535}}, false},
};
const char* const kEndings[] = {"Destroy", "Deactivate", "RemoveElements"};

class NoStuckInputTest : public EngineFixture,
                         public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(NoStuckInputTest, EveryRunningActionEnds) {
  const auto& [scenario, ending] = GetParam();
  auto joystick = Plug(0, seam::PadCaps("Pad"));  // Z: each trigger drives a side
  ASSERT_TRUE(joystick->LoadProfile(world.Write("busy.xml", BusyProfile()).c_str(), true));
  Poll();
  auto& j = world.joysticks();
  for (const auto& s : kScenarios[scenario].steps) {
    seam::JoystickState state = j.State(0);
    state.leftTrigger = state.rightTrigger = s.v;
    s.kind == 'b'   ? j.PressButton(0, static_cast<int>(s.v))
    : s.kind == 'r' ? j.ReleaseButton(0, static_cast<int>(s.v))
    : s.kind == 'h' ? j.SetPov(0, s.v)
    : s.kind == 't' ? j.SetState(0, state)
                    : j.SetAxis(0, s.kind, s.v);
    Poll();
  }
  world.Advance(1500);  // long enough for keys to repeat and the pointer to move
  const auto before = world.input().Count();
  world.Advance(300);
  ASSERT_TRUE(kScenarios[scenario].keyDown ? !world.input().AllReleased()
                                           : world.input().Count() > before);
  if (ending == 0) joystick.reset();
  if (ending == 1) joystick->SetActive(false);  // also what loading another profile does first
  if (ending == 2) joystick->RemoveAllElements();
  EXPECT_TRUE(world.input().AllReleased());
  const auto after = world.input().Count();
  world.Advance(3000);
  EXPECT_EQ(world.input().Count(), after) << "input went on after the end";
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Elements, NoStuckInputTest,
                         ::testing::Combine(::testing::Range(0, 11), ::testing::Range(0, 3)),
                         [](const auto& info) {
                           return std::string(kScenarios[std::get<0>(info.param)].name) + "_" +
                                  kEndings[std::get<1>(info.param)];
                         });

}  // namespace
