// One button or hat direction on its own: its slots by shift state, its release list and the
// windows of the hat.
#include <gtest/gtest.h>

#include <vector>

#include "EngineFixture.h"
#include "engine/JoystickButton.h"
#include "engine/JoystickPOVButton.h"

namespace {

class ButtonTest : public ::testing::Test {
 protected:
  // Button 1 with the recorded actions `names` in slots 0, 1, ..., armed by a first poll.
  void Arm(std::vector<const char*> names) {
    EXPECT_EQ(button.SetShiftCount(static_cast<int>(names.size()) - 1), names.size() > 1);
    for (std::size_t i = 0; i < names.size(); ++i) {
      button.SetAction(static_cast<int>(i), CRecordingAction(names[i], &log), false);
    }
    Poll(0);
  }
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

  VirtualWorld world;
  NoShiftOwner owner;
  EventLog log;
  CJoystickButton button{&owner, 1, "Button 1"};
};

// A slot outside the shift count is ignored; a stored action is a copy.
TEST_F(ButtonTest, ReleaseActionRunsOncePerReleaseEvenWhenStoredAsHold) {
  CRecordingAction release("R", &log, PushType::Hold);
  for (int slot : {0, 1, -1}) button.SetAction(slot, release, true);
  EXPECT_NE(button.PeekAction(0, true), &release);
  EXPECT_EQ(Slots(true), "R--");
  for (std::uint32_t bits : {0u, 1u, 0u, 1u, 0u}) Poll(bits);
  EXPECT_EQ(log, (EventLog{Started("R"), Stopped("R"), Started("R"), Stopped("R")}));
}

TEST_F(ButtonTest, ShiftStateFallsBackToLowerSlots) {
  Arm({"zero", "one"});
  ASSERT_TRUE(button.SetShiftCount(2));
  button.SetShiftState(2);  // no slot 2: falls back to slot 1
  Poll(1);
  Poll(0);
  button.SetShiftState(0);
  Poll(1);
  EXPECT_EQ(log, (EventLog{Started("one"), Stopped("one"), Started("zero")}));
}

TEST_F(ButtonTest, SlotsMoveWithTheShiftNumberAndTheShiftCount) {
  Arm({"a", "b", "c"});
  button.SetShiftNumber(1);  // last slot dropped, others move up
  EXPECT_EQ(Slots(), "-ab");
  button.SetShiftNumber(2);  // any other change: nothing moves
  EXPECT_EQ(Slots(), "-ab");
  button.SetShiftNumber(0);  // slot 0 dropped, others move down
  EXPECT_EQ(Slots(), "ab-");
  button.SetAction(2, CRecordingAction("c", &log), true);
  ASSERT_TRUE(button.SetShiftCount(1));  // keeps what still fits
  EXPECT_EQ(Slots() + Slots(true), "ab----");
}

TEST_F(ButtonTest, RemovingARunningToggleEndsIt) {
  button.SetAction(0, CVKAction(0x43, PushType::Toggle, "C"), false);
  for (std::uint32_t bits : {0u, 1u, 0u}) Poll(bits);
  EXPECT_FALSE(world.input().AllReleased());
  button.RemoveAction(0, false);
  EXPECT_TRUE(world.input().AllReleased());
  EXPECT_EQ(button.PeekAction(0, false), nullptr);
}

TEST_F(ButtonTest, HatWindowsOverlapOnlyAtTheDiagonals) {
  // Per direction: readings inside its window, then readings outside.
  const struct {
    int angle;
    std::vector<std::uint32_t> in, out;
  } cases[] = {{0, {0, 6199, 29801}, {6200, 29800, seam::kPovCentered}},
               {90, {2801}, {2800, 15200}},
               {180, {18000}, {11800, 24200}},
               {270, {33199}, {20800, 33200}}};
  for (const auto& c : cases) {
    CJoystickPOVButton direction(&owner, c.angle);
    for (auto pov : c.in) EXPECT_TRUE(direction.InRange(pov)) << c.angle << " " << pov;
    for (auto pov : c.out) EXPECT_FALSE(direction.InRange(pov)) << c.angle << " " << pov;
  }
  CJoystickPOVButton forward(&owner, 0), right(&owner, 90);
  forward.SetAction(0, CRecordingAction("F", &log), false);
  right.SetAction(0, CRecordingAction("R", &log), false);
  for (std::uint32_t pov : {4500u, 9000u, seam::kPovCentered}) {
    seam::JoystickState state;
    state.pov = pov;
    for (auto* b : {&forward, &right}) b->Update(state);
  }
  EXPECT_EQ(log, (EventLog{Started("F"), Started("R"), Stopped("F"), Stopped("R")}));
}

}  // namespace
