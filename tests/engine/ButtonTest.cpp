#include <gtest/gtest.h>

#include <vector>

#include "RecordingAction.h"
#include "actions/VKAction.h"
#include "engine/JoystickButton.h"
#include "engine/JoystickPOVButton.h"
#include "engine/ShiftButtonOwner.h"
#include "support/VirtualWorld.h"

namespace {

// An owner that keeps a shift state the way the controller does.
class FakeOwner : public CShiftButtonOwner {
 public:
  void ShiftButtonPressed(int number) override {
    state = number;
    calls.push_back(number);
  }
  void ShiftButtonReleased(int number) override {
    state = 0;
    calls.push_back(-number);
  }
  int state = 0;
  std::vector<int> calls;  // +k pressed, -k released
};

seam::JoystickState Buttons(std::uint32_t bits) {
  seam::JoystickState state;
  state.buttons = bits;
  return state;
}

seam::JoystickState Hat(std::uint32_t pov) {
  seam::JoystickState state;
  state.pov = pov;
  return state;
}

class ButtonTest : public ::testing::Test {
 protected:
  VirtualWorld world;
  FakeOwner owner;
  std::vector<ActionEvent> log;
};

TEST_F(ButtonTest, NamesAndMasks) {
  CJoystickButton button(&owner, 3, "Button 3");
  EXPECT_STREQ(button.GetName(), "Button 3");
  EXPECT_EQ(button.GetMask(), 0x4u);
  EXPECT_EQ(CJoystickButton(&owner, 32, "Button 32").GetMask(), 0x80000000u);
  EXPECT_EQ(CJoystickButton(&owner, 33, "Button 33").GetMask(), 0u);
  EXPECT_EQ(CJoystickButton(&owner, 0, "Button 0").GetMask(), 0u);
  EXPECT_STREQ(CJoystickPOVButton(&owner, 0).GetName(), "POV Forward");
  EXPECT_STREQ(CJoystickPOVButton(&owner, 90).GetName(), "POV Right");
  EXPECT_STREQ(CJoystickPOVButton(&owner, 180).GetName(), "POV Backward");
  EXPECT_STREQ(CJoystickPOVButton(&owner, 270).GetName(), "POV Left");
}

TEST_F(ButtonTest, HeldAtCreationDoesNothingUntilReleasedOnce) {
  CJoystickButton button(&owner, 1, "Button 1");
  button.SetAction(0, CRecordingAction("A", &log), false);
  button.Update(Buttons(1));
  button.Update(Buttons(1));
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(button.IsPressed());
  button.Update(Buttons(0));
  EXPECT_TRUE(log.empty());  // a release that was never pressed
  button.Update(Buttons(1));
  EXPECT_EQ(log, (std::vector{Started("A")}));
  button.Update(Buttons(1 | 2));  // other bits change nothing
  button.Update(Buttons(2));
  EXPECT_EQ(log, (std::vector{Started("A"), Stopped("A")}));
}

TEST_F(ButtonTest, HoldKeyGoesDownAtPressAndUpAtRelease) {
  CJoystickButton button(&owner, 2, "Button 2");
  button.SetAction(0, CVKAction(0x41, PushType::Hold, "A"), false);
  button.Update(Buttons(0));
  button.Update(Buttons(2));
  world.Advance(100);
  button.Update(Buttons(0));
  const auto events = world.input().Log();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_TRUE(events[0].IsKeyDown());
  EXPECT_EQ(events[0].vk, 0x41);
  EXPECT_TRUE(events[1].IsKeyUp());
  EXPECT_TRUE(world.input().AllReleased());
}

TEST_F(ButtonTest, ReleaseActionRunsOncePerReleaseEvenWhenStoredAsHold) {
  CJoystickButton button(&owner, 1, "Button 1");
  button.SetAction(0, CRecordingAction("R", &log, PushType::Hold), true);
  ASSERT_NE(button.PeekAction(0, true), nullptr);
  EXPECT_EQ(button.PeekAction(0, true)->GetPushType(), PushType::Hit);
  button.Update(Buttons(0));
  button.Update(Buttons(1));
  EXPECT_TRUE(log.empty());
  button.Update(Buttons(0));
  EXPECT_EQ(log, (std::vector{Started("R"), Stopped("R")}));
  button.Update(Buttons(1));
  button.Update(Buttons(0));
  EXPECT_EQ(log.size(), 4u);
}

TEST_F(ButtonTest, CallerKeepsTheActionItPassed) {
  CJoystickButton button(&owner, 1, "Button 1");
  CRecordingAction mine("A", &log);
  button.SetAction(0, mine, false);
  EXPECT_NE(button.PeekAction(0, false), &mine);
  auto copy = button.GetAction(0, false);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->GetName(), "A");
  EXPECT_EQ(button.GetAction(0, true), nullptr);
  EXPECT_EQ(button.GetAction(5, false), nullptr);
}

TEST_F(ButtonTest, OutOfRangeShiftStatesAreIgnored) {
  CJoystickButton button(&owner, 1, "Button 1");
  button.SetAction(1, CRecordingAction("A", &log), false);
  button.SetAction(-1, CRecordingAction("A", &log), false);
  EXPECT_EQ(button.PeekAction(0, false), nullptr);
  EXPECT_FALSE(button.SetShiftCount(-1));
  EXPECT_FALSE(button.SetShiftCount(0));  // unchanged
  button.SetShiftState(1);
  EXPECT_EQ(button.GetShiftState(), 0);
}

TEST_F(ButtonTest, ShiftStateFallsBackToLowerSlots) {
  CJoystickButton button(&owner, 1, "Button 1");
  ASSERT_TRUE(button.SetShiftCount(2));
  button.SetAction(0, CRecordingAction("zero", &log), false);
  button.SetAction(1, CRecordingAction("one", &log), false);
  button.Update(Buttons(0));
  button.SetShiftState(2);  // no slot 2: falls back to slot 1
  button.Update(Buttons(1));
  button.Update(Buttons(0));
  button.SetShiftState(0);
  button.Update(Buttons(1));
  EXPECT_EQ(log, (std::vector{Started("one"), Stopped("one"), Started("zero")}));
}

TEST_F(ButtonTest, ShiftButtonChangesStateAndPerformsNoAction) {
  CJoystickButton shift(&owner, 1, "Button 1");
  ASSERT_TRUE(shift.SetShiftCount(1));
  shift.SetAction(0, CRecordingAction("own", &log), false);
  shift.SetShiftNumber(1);
  // Becoming shift button 1 moved its own action up to slot 1.
  EXPECT_EQ(shift.PeekAction(0, false), nullptr);
  ASSERT_NE(shift.PeekAction(1, false), nullptr);
  shift.Update(Buttons(0));
  shift.Update(Buttons(1));
  EXPECT_EQ(owner.calls, (std::vector{1}));
  EXPECT_TRUE(log.empty());
  shift.SetShiftState(owner.state);  // what the controller does next
  EXPECT_TRUE(log.empty());
  shift.Update(Buttons(0));
  EXPECT_EQ(owner.calls, (std::vector{1, -1}));
  EXPECT_TRUE(log.empty());
}

TEST_F(ButtonTest, ShiftButtonPressedUnderAnotherShiftActsAsOrdinaryButton) {
  CJoystickButton second(&owner, 2, "Button 2");
  ASSERT_TRUE(second.SetShiftCount(2));
  second.SetShiftNumber(2);
  second.SetAction(1, CRecordingAction("under one", &log), false);
  second.SetShiftState(1);
  second.Update(Buttons(0));
  second.Update(Buttons(2));
  EXPECT_TRUE(owner.calls.empty());
  EXPECT_EQ(log, (std::vector{Started("under one")}));
}

TEST_F(ButtonTest, HeldButtonSwitchesActionWithTheShiftState) {
  CJoystickButton button(&owner, 1, "Button 1");
  ASSERT_TRUE(button.SetShiftCount(1));
  button.SetAction(0, CRecordingAction("plain", &log), false);
  button.SetAction(1, CRecordingAction("shifted", &log), false);
  button.Update(Buttons(0));
  button.Update(Buttons(1));
  button.SetShiftState(1);
  button.SetShiftState(0);
  EXPECT_EQ(log, (std::vector{Started("plain"), Stopped("plain"), Started("shifted"),
                              Stopped("shifted"), Started("plain")}));
  EXPECT_TRUE(button.IsPressed());
  EXPECT_TRUE(button.IsEnabled());
}

TEST_F(ButtonTest, ShiftActionListMovesSlotsBothWays) {
  CJoystickButton button(&owner, 1, "Button 1");
  ASSERT_TRUE(button.SetShiftCount(2));
  button.SetAction(0, CRecordingAction("a", &log), false);
  button.SetAction(1, CRecordingAction("b", &log), false);
  button.SetAction(2, CRecordingAction("c", &log), false);
  button.SetShiftNumber(1);  // last slot dropped, others move up
  EXPECT_EQ(button.PeekAction(0, false), nullptr);
  EXPECT_STREQ(button.PeekAction(1, false)->GetName(), "a");
  EXPECT_STREQ(button.PeekAction(2, false)->GetName(), "b");
  button.SetShiftNumber(2);  // any other change: nothing moves
  EXPECT_STREQ(button.PeekAction(1, false)->GetName(), "a");
  button.SetShiftNumber(0);  // slot 0 dropped, others move down
  EXPECT_STREQ(button.PeekAction(0, false)->GetName(), "a");
  EXPECT_STREQ(button.PeekAction(1, false)->GetName(), "b");
  EXPECT_EQ(button.PeekAction(2, false), nullptr);
  EXPECT_EQ(button.GetShiftNumber(), 0);
}

TEST_F(ButtonTest, SetShiftCountKeepsActionsThatStillFit) {
  CJoystickButton button(&owner, 1, "Button 1");
  ASSERT_TRUE(button.SetShiftCount(2));
  button.SetAction(0, CRecordingAction("a", &log), false);
  button.SetAction(2, CRecordingAction("c", &log), true);
  ASSERT_TRUE(button.SetShiftCount(1));
  EXPECT_EQ(button.GetHighestShiftState(), 1);
  EXPECT_STREQ(button.PeekAction(0, false)->GetName(), "a");
  EXPECT_EQ(button.PeekAction(1, true), nullptr);
  EXPECT_EQ(button.PeekAction(2, true), nullptr);
}

TEST_F(ButtonTest, SecondInitChangesNothing) {
  CJoystickButton button(&owner, 1, "Button 1");
  button.SetAction(0, CRecordingAction("a", &log), false);
  EXPECT_FALSE(button.Init("Other"));
  EXPECT_STREQ(button.GetName(), "Button 1");
  EXPECT_NE(button.PeekAction(0, false), nullptr);
}

TEST_F(ButtonTest, DisabledButtonIgnoresPollsAndDisablingReleases) {
  CJoystickButton button(&owner, 1, "Button 1");
  button.SetAction(0, CRecordingAction("a", &log), false);
  button.Update(Buttons(0));
  button.Update(Buttons(1));
  button.Enable(false);
  EXPECT_EQ(log, (std::vector{Started("a"), Stopped("a")}));
  EXPECT_FALSE(button.IsPressed());
  button.Update(Buttons(0));
  button.Update(Buttons(1));
  EXPECT_EQ(log.size(), 2u);
  button.Enable(true);
  button.Update(Buttons(1));  // still held: pressed again
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(ButtonTest, DisablingKeepsAToggleRunningButStopAllEndsIt) {
  CJoystickButton button(&owner, 1, "Button 1");
  button.SetAction(0, CRecordingAction("t", &log, PushType::Toggle), false);
  button.Update(Buttons(0));
  button.Update(Buttons(1));
  button.Update(Buttons(0));
  button.Enable(false);
  EXPECT_EQ(log, (std::vector{Started("t")}));
  button.StopAllActions();
  EXPECT_EQ(log, (std::vector{Started("t"), Stopped("t")}));
}

TEST_F(ButtonTest, DestroyingAPressedButtonReleasesIt) {
  {
    CJoystickButton button(&owner, 1, "Button 1");
    button.SetAction(0, CVKAction(0x42, PushType::Hold, "B"), false);
    button.Update(Buttons(0));
    button.Update(Buttons(1));
    world.Advance(1000);  // repeating
  }
  EXPECT_TRUE(world.input().AllReleased());
  const auto count = world.input().Count();
  world.Advance(1000);
  EXPECT_EQ(world.input().Count(), count);
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
}

TEST_F(ButtonTest, RemovingARunningToggleEndsIt) {
  CJoystickButton button(&owner, 1, "Button 1");
  button.SetAction(0, CVKAction(0x43, PushType::Toggle, "C"), false);
  button.Update(Buttons(0));
  button.Update(Buttons(1));
  button.Update(Buttons(0));
  EXPECT_FALSE(world.input().AllReleased());
  button.RemoveAction(0, false);
  EXPECT_TRUE(world.input().AllReleased());
  EXPECT_EQ(button.PeekAction(0, false), nullptr);
}

// The hat.

TEST_F(ButtonTest, HatDiagonalHoldsBothNeighbours) {
  CJoystickPOVButton forward(&owner, 0), right(&owner, 90);
  forward.SetAction(0, CRecordingAction("F", &log), false);
  right.SetAction(0, CRecordingAction("R", &log), false);
  for (auto* b : {&forward, &right}) b->Update(Hat(4500));
  EXPECT_TRUE(forward.IsPressed());
  EXPECT_TRUE(right.IsPressed());
  for (auto* b : {&forward, &right}) b->Update(Hat(9000));
  EXPECT_FALSE(forward.IsPressed());
  EXPECT_TRUE(right.IsPressed());
  for (auto* b : {&forward, &right}) b->Update(Hat(seam::kPovCentered));
  EXPECT_FALSE(right.IsPressed());
  EXPECT_EQ(log, (std::vector{Started("F"), Started("R"), Stopped("F"), Stopped("R")}));
}

TEST_F(ButtonTest, HatWindowsAreExclusive) {
  CJoystickPOVButton forward(&owner, 0), right(&owner, 90), back(&owner, 180), left(&owner, 270);
  EXPECT_FALSE(forward.InRange(6200));
  EXPECT_TRUE(forward.InRange(6199));
  EXPECT_FALSE(forward.InRange(29800));
  EXPECT_TRUE(forward.InRange(29801));
  EXPECT_TRUE(forward.InRange(0));
  EXPECT_FALSE(forward.InRange(seam::kPovCentered));
  EXPECT_FALSE(right.InRange(2800));
  EXPECT_TRUE(right.InRange(2801));
  EXPECT_FALSE(right.InRange(15200));
  EXPECT_FALSE(back.InRange(11800));
  EXPECT_TRUE(back.InRange(18000));
  EXPECT_FALSE(back.InRange(24200));
  EXPECT_FALSE(left.InRange(20800));
  EXPECT_TRUE(left.InRange(33199));
  EXPECT_FALSE(left.InRange(33200));
}

TEST_F(ButtonTest, DeflectedHatPressesAtTheFirstPoll) {
  CJoystickPOVButton back(&owner, 180);
  back.SetAction(0, CRecordingAction("B", &log), false);
  back.Update(Hat(18000));
  EXPECT_EQ(log, (std::vector{Started("B")}));
  back.Update(Hat(18000));
  EXPECT_EQ(log.size(), 1u);
}

}  // namespace
