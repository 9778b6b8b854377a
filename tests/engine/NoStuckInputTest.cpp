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
#include "actions/ComplexAction.h"

namespace {

constexpr const char* kProfile = R"(<Joystick>
  <Axes>
    <Axis name="X Axis" type="Horizontal">
      <Direction Name="Left"><Actions><Action Number="0" Theme="Mouse" Name="Wheel down"/></Actions></Direction>
      <Direction Name="Right"><Actions><Action Number="0" Theme="Mouse" Name="Right"/></Actions></Direction>
    </Axis>
    <Axis name="Y Axis" type="Vertical">
      <Direction Name="Up"><Actions><Action Number="0" Theme="Keys" Name="G toggle"/></Actions></Direction>
      <Direction Name="Down"><Actions><Action Number="0" Theme="Keys" Name="H"/></Actions></Direction>
    </Axis>
  </Axes>
  <Buttons>
    <Button number="1"><Actions><Action number="0" Theme="Keys" name="A"/></Actions></Button>
    <Button number="2"><Actions><Action number="0" Theme="Keys" name="C toggle"/></Actions></Button>
    <Button number="3"><Actions><Action number="0" Theme="Mouse" name="Left button"/></Actions></Button>
    <Button number="4"><Actions><Action number="0" Theme="Keys" name="D repeat"/></Actions></Button>
  </Buttons>
  <POV>
    <Direction name="forward"><Actions><Action number="0" Theme="Keys" name="B"/></Actions></Direction>
    <Direction name="right"><Actions><Action number="0" Theme="Mouse" name="Up toggle"/></Actions></Direction>
    <Direction name="backward"><Actions><Action number="0" Theme="Keys" name="I toggle"/></Actions></Direction>
    <Direction name="left"><Actions><Action number="0" Theme="Keys" name="Chord"/></Actions></Direction>
  </POV>
</Joystick>)";

enum class Ending { Destroy, Deactivate, RemoveElements, Replace, LoadAnotherProfile };

struct Scenario {
  const char* name;
  // Bring the controller into the state in which the element holds its action running; a
  // poll follows each step.
  std::vector<std::function<void(seam::SimJoysticks&)>> steps;
  // Whether the scenario leaves a key or mouse button down (else the pointer or wheel moves).
  bool keyDown;
};

void PrintTo(const Scenario& scenario, std::ostream* os) { *os << scenario.name; }
void PrintTo(Ending ending, std::ostream* os) { *os << static_cast<int>(ending); }

class NoStuckInputTest : public EngineFixture,
                         public ::testing::WithParamInterface<std::tuple<Scenario, Ending>> {
 protected:
  NoStuckInputTest() {
    Add("Keys", std::make_unique<CVKAction>(0x47, PushType::Toggle, "G toggle"));
    Add("Keys", std::make_unique<CVKAction>(0x48, PushType::Hold, "H"));
    Add("Keys", std::make_unique<CVKAction>(0x49, PushType::Toggle, "I toggle"));
    // A combination whose second part toggles: releasing the combination leaves that part down
    // until the next press.
    CVKAction ctrl(0x11, PushType::Hold, "Ctrl");
    CVKAction j(0x4A, PushType::Toggle, "J toggle");
    Add("Keys", std::make_unique<CComplexAction>(
                    PushType::Hold, std::vector<const CAction*>{&ctrl, &j}, "Chord", "", false));
  }

  std::size_t Events() { return world.input().Count(); }
};

TEST_P(NoStuckInputTest, EveryRunningActionEnds) {
  const auto& [scenario, ending] = GetParam();
  auto joystick = Plug(0, Gamepad());
  const auto profile = Write("all.xml", kProfile);
  ASSERT_TRUE(joystick->LoadProfile(profile.c_str(), true));
  Poll();
  for (const auto& step : scenario.steps) {
    step(world.joysticks());
    Poll();
  }
  world.Advance(1500);  // long enough for keys to repeat and the pointer to move
  if (scenario.keyDown) {
    ASSERT_FALSE(world.input().AllReleased());
  } else {
    const auto before = Events();
    world.Advance(300);
    ASSERT_GT(Events(), before);  // moving or scrolling
  }

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
    case Ending::Replace: {
      // What automatic switching does: a fresh controller takes over the slot.
      auto fresh = std::make_unique<CJoystick>();
      ASSERT_TRUE(fresh->Open(0));
      ASSERT_TRUE(fresh->LoadProfile(Write("other.xml", "<Joystick/>").c_str(), false));
      joystick = std::move(fresh);
      break;
    }
    case Ending::LoadAnotherProfile:
      ASSERT_TRUE(joystick->LoadProfile(Write("other.xml", "<Joystick/>").c_str(), false));
      break;
  }

  EXPECT_TRUE(world.input().AllReleased());
  EXPECT_TRUE(EveryDownHasItsUp());
  if (ending == Ending::Replace || ending == Ending::LoadAnotherProfile) {
    // The controller polls on; once the controls are at rest nothing may stay down.
    world.joysticks().SetState(0, seam::CenteredJoystickState(Gamepad()));
    world.Advance(3000);
    EXPECT_TRUE(world.input().AllReleased());
    EXPECT_TRUE(EveryDownHasItsUp());
    const auto after = Events();
    world.Advance(3000);
    EXPECT_EQ(Events(), after) << "input went on at rest";
    return;
  }
  const auto after = Events();
  world.Advance(3000);
  EXPECT_EQ(Events(), after) << "input went on after the end";
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
}

const Scenario kScenarios[] = {
    {"ButtonHoldKeyRepeating", {[](auto& j) { j.PressButton(0, 1); }}, true},
    {"ButtonToggleAfterRelease",
     {[](auto& j) { j.PressButton(0, 2); }, [](auto& j) { j.ReleaseButton(0, 2); }},
     true},
    {"ButtonToggleHeld", {[](auto& j) { j.PressButton(0, 2); }}, true},
    {"ButtonMouseButton", {[](auto& j) { j.PressButton(0, 3); }}, true},
    {"ButtonRepeat", {[](auto& j) { j.PressButton(0, 4); }}, false},
    {"HatHoldKey", {[](auto& j) { j.SetPov(0, 0); }}, true},
    {"HatDiagonal", {[](auto& j) { j.SetPov(0, 4500); }}, true},
    {"HatMouseToggleAfterCentring",
     {[](auto& j) { j.SetPov(0, 9000); }, [](auto& j) { j.SetPov(0, seam::kPovCentered); }},
     false},
    {"HatChordWithToggledPart",
     {[](auto& j) { j.SetPov(0, 27000); }, [](auto& j) { j.SetPov(0, seam::kPovCentered); }},
     true},
    {"HatKeyToggle", {[](auto& j) { j.SetPov(0, 18000); }}, true},
    {"AxisMouseMoving", {[](auto& j) { j.SetAxis(0, 'X', 65535); }}, false},
    {"AxisWheelTurning", {[](auto& j) { j.SetAxis(0, 'X', 0); }}, false},
    {"AxisHoldKey", {[](auto& j) { j.SetAxis(0, 'Y', 65535); }}, true},
    {"AxisToggleAfterCentring",
     {[](auto& j) { j.SetAxis(0, 'Y', 0); }, [](auto& j) { j.SetAxis(0, 'Y', 32767); }},
     true},
};

std::string Name(const ::testing::TestParamInfo<std::tuple<Scenario, Ending>>& info) {
  static const char* endings[] = {"Destroy", "Deactivate", "RemoveElements", "Replace",
                                  "LoadAnotherProfile"};
  return std::string(std::get<0>(info.param).name) + "_" +
         endings[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Elements, NoStuckInputTest,
                         ::testing::Combine(::testing::ValuesIn(kScenarios),
                                            ::testing::Values(Ending::Destroy, Ending::Deactivate,
                                                              Ending::RemoveElements,
                                                              Ending::Replace,
                                                              Ending::LoadAnotherProfile)),
                         Name);

}  // namespace
