// Elements on their own: a button's slots by shift state and its release list, the windows of
// the hat, an axis's dead zone, its speed as percent of the deflection, its jitter filter and
// the entries of one side chosen by percent.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/JoystickAxis.h"
#include "engine/JoystickButton.h"
#include "engine/JoystickPOVButton.h"

namespace {

struct ElementTest : ::testing::Test {
  void Poll(std::uint32_t bits) {
    seam::JoystickState state;
    state.buttons = bits;
    button.Update(state);
  }
  // The names in slots 0..2 of a list, "-" for an empty slot.
  std::string Slots(bool releaseList = false) {
    std::string names;
    for (int slot = 0; slot <= 2; ++slot) {
      CAction* action = button.PeekAction(slot, releaseList);
      names += action != nullptr ? action->GetName() : "-";
    }
    return names;
  }
  // An X axis with "pos" on the max side and "neg" on the min side, both at 0 percent.
  CJoystickAxis& MakeAxis(std::uint32_t min = 0, std::uint32_t max = 65535, int threshold = 1000) {
    axis = std::make_unique<CJoystickAxis>(&owner, CJoystickAxisProperties(0, min, max, threshold),
                                           "X Axis");
    axis->AddPositiveThreshold(0, CRecordingAction("pos", &log), 0);
    axis->AddNegativeThreshold(0, CRecordingAction("neg", &log), 0);
    log.clear();
    return *axis;
  }
  void At(double x) {
    seam::JoystickState state;
    state.xPos = static_cast<std::uint32_t>(x);
    axis->Update(state);
  }

  VirtualWorld world;
  NoShiftOwner owner;
  std::string log;
  CJoystickButton button{&owner, 1, "Button 1"};
  std::unique_ptr<CJoystickAxis> axis;
};

// A slot outside the shift count is ignored; a stored action is a copy; a release action runs
// once per release even when stored as Hold.
TEST_F(ElementTest, ReleaseListAndShiftSlots) {
  CRecordingAction release("R", &log);
  for (int slot : {0, 1, -1}) button.SetAction(slot, release, true);
  EXPECT_NE(button.PeekAction(0, true), &release);
  for (std::uint32_t bits : {0u, 1u, 0u, 1u, 0u}) Poll(bits);
  EXPECT_EQ(log, "+R -R +R -R");
  button.RemoveAction(0, true);
  log.clear();
  ASSERT_TRUE(button.SetShiftCount(2));
  for (int slot : {0, 1}) button.SetAction(slot, CRecordingAction(slot ? "b" : "a", &log), false);
  button.SetShiftState(2);  // no slot 2: falls back to slot 1
  for (std::uint32_t bits : {1u, 0u}) Poll(bits);
  button.SetShiftState(0);
  Poll(1);
  EXPECT_EQ(log, "+b -b +a");
  Poll(0);
  button.SetShiftNumber(1);  // last slot dropped, others move up
  EXPECT_EQ(Slots(), "-ab");
  button.SetShiftNumber(2);  // any other change: nothing moves
  button.SetShiftNumber(0);  // slot 0 dropped, others move down
  EXPECT_EQ(Slots(), "ab-");
  button.SetAction(2, CRecordingAction("c", &log), true);
  ASSERT_TRUE(button.SetShiftCount(1));  // keeps what still fits
  EXPECT_EQ(Slots() + Slots(true), "ab----");
}

TEST_F(ElementTest, HatWindowsOverlapOnlyAtTheDiagonals) {
  const struct {
    int angle;
    std::uint32_t lastIn, firstOut;
  } cases[] = {{0, 6199, 6200}, {0, 29801, 29800}, {90, 2801, 2800}, {270, 33199, 33200}};
  for (const auto& c : cases) {
    CJoystickPOVButton direction(&owner, c.angle);
    EXPECT_TRUE(direction.InRange(c.lastIn)) << c.angle;
    EXPECT_FALSE(direction.InRange(c.firstOut)) << c.angle;
    EXPECT_FALSE(direction.InRange(seam::kPovCentered));
  }
}

// The dead zone is centred in the range, a threshold wider than the range clamped to it. Every
// significant movement presses again with the new speed; a jump across the centre releases,
// then presses the other side; jitter up to the sensitivity is ignored.
TEST_F(ElementTest, AxisSpeedIsPercentOfTheDeflection) {
  MakeAxis();
  for (double x :
       {33267.0, 32767.0, 33268.0, 49401.0, 65535.0, 32767.0, 0.0, 60000.0, 60100.0, 60101.0}) {
    At(x);
  }
  EXPECT_EQ(log, "+pos@0 +pos@50 +pos@100 -pos +neg@100 -neg +pos@83 +pos@83");
  const struct {
    std::uint32_t min, max;
    int threshold;
    std::uint32_t x;
    const char* trace;
  } cases[] = {{100, 1100, 200, 100, "+neg@100"},
               {100, 1100, 200, 699, ""},
               {0, 255, 1000, 0, ""},  // all of the range
               {0, 1000, 100, 4000000000u, "+pos@100"},
               {0, 65535, 60000, 2000, "+neg@28"}};  // dead zone 2767..62767
  for (const auto& c : cases) {
    MakeAxis(c.min, c.max, c.threshold).Properties().SetSensitivity(10);
    At(c.x);
    EXPECT_EQ(log, c.trace) << c.x;
  }
}

// The strictly lowest percent below the value wins; a high entry stays until the dead zone.
TEST_F(ElementTest, PercentEntriesTakeOverAndAHighOneStaysUntilTheDeadZone) {
  MakeAxis().AddPositiveThreshold(0, CRecordingAction("B", &log), 50);
  for (double percent : {30, 50, 70, 30}) At(33267.5 + (65535 - 33267.5) * percent / 100);
  EXPECT_EQ(log, "+pos@30 +pos@50 -pos +B@70 -B +pos@30");
  MakeAxis().AddNegativeThreshold(0, CRecordingAction("far", &log), 50);
  axis->RemoveNegativeThreshold(0, 0);
  log.clear();  // the replaced axis ended its entry
  for (double percent : {30, 60, 30}) At(32267.5 - 32267.5 * percent / 100);
  At(32767);
  EXPECT_EQ(log, "+far@60 -far");
}

}  // namespace
