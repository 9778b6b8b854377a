#include <gtest/gtest.h>

#include <vector>

#include "EngineFixture.h"
#include "engine/JoystickButton.h"
#include "engine/JoystickPOVButton.h"

namespace {

// An owner that keeps a shift state the way the controller does.
class FakeOwner : public CShiftButtonOwner {
 public:
  void ShiftButtonPressed(int number) override { calls.push_back(state = number); }
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
seam::JoystickState HatAt(std::uint32_t pov) {
  seam::JoystickState state;
  state.pov = pov;
  return state;
}

class ButtonTest : public ::testing::Test {
 protected:
  // Button 1 with the recorded actions `names` in slots 0, 1, ..., armed by a first poll.
  CJoystickButton& Armed(std::vector<const char*> names) {
    EXPECT_EQ(button.SetShiftCount(static_cast<int>(names.size()) - 1), names.size() > 1);
    for (std::size_t i = 0; i < names.size(); ++i) {
      button.SetAction(static_cast<int>(i), CRecordingAction(names[i], &log), false);
    }
    button.Update(Buttons(0));
    return button;
  }
  const char* NameAt(int slot, bool releaseList = false) {
    CAction* action = button.PeekAction(slot, releaseList);
    return action != nullptr ? action->GetName() : "";
  }

  VirtualWorld world;
  FakeOwner owner;
  EventLog log;
  CJoystickButton button{&owner, 1, "Button 1"};
};

TEST_F(ButtonTest, MasksCoverButtons1To32Only) {
  const std::pair<int, std::uint32_t> cases[] = {{3, 0x4u}, {32, 0x80000000u}, {33, 0}, {0, 0}};
  for (const auto& [number, mask] : cases) {
    EXPECT_EQ(CJoystickButton(&owner, number, "B").GetMask(), mask) << number;
  }
}

TEST_F(ButtonTest, HeldAtCreationDoesNothingUntilReleasedOnce) {
  button.SetAction(0, CRecordingAction("A", &log), false);
  button.Update(Buttons(1));
  button.Update(Buttons(1));
  EXPECT_FALSE(button.IsPressed());
  button.Update(Buttons(0));
  EXPECT_TRUE(log.empty());  // a release that was never pressed
  button.Update(Buttons(1));
  button.Update(Buttons(1 | 2));  // other bits change nothing
  button.Update(Buttons(2));
  EXPECT_EQ(log, (EventLog{Started("A"), Stopped("A")}));
}

TEST_F(ButtonTest, HoldKeyRepeatsWhileHeldAndGoesUpAtRelease) {
  CJoystickButton two(&owner, 2, "Button 2");
  two.SetAction(0, CVKAction(0x41, PushType::Hold, "A"), false);
  two.Update(Buttons(0));
  two.Update(Buttons(2));
  world.Advance(2000);
  const auto events = world.input().Log();
  ASSERT_GT(events.size(), 5u);
  for (const auto& e : events) EXPECT_TRUE(e.IsKeyDown() && e.vk == 0x41);
  two.Update(Buttons(0));
  EXPECT_TRUE(world.input().Log().back().IsKeyUp());
  EXPECT_TRUE(world.input().AllReleased());
}

TEST_F(ButtonTest, ReleaseActionRunsOncePerReleaseEvenWhenStoredAsHold) {
  button.SetAction(0, CRecordingAction("R", &log, PushType::Hold), true);
  EXPECT_EQ(button.PeekAction(0, true)->GetPushType(), PushType::Hit);
  button.Update(Buttons(0));
  button.Update(Buttons(1));
  EXPECT_TRUE(log.empty());
  button.Update(Buttons(0));
  EXPECT_EQ(log, (EventLog{Started("R"), Stopped("R")}));
  button.Update(Buttons(1));
  button.Update(Buttons(0));
  EXPECT_EQ(log.size(), 4u);
}

TEST_F(ButtonTest, SlotsHoldCopiesAndIgnoreOutOfRangeStates) {
  CRecordingAction mine("A", &log);
  button.SetAction(0, mine, false);
  EXPECT_NE(button.PeekAction(0, false), &mine);
  auto copy = button.GetAction(0, false);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy.get(), button.PeekAction(0, false));
  EXPECT_EQ(button.GetAction(0, true), nullptr);
  EXPECT_EQ(button.GetAction(5, false), nullptr);
  button.SetAction(1, CRecordingAction("B", &log), false);
  button.SetAction(-1, CRecordingAction("B", &log), false);
  EXPECT_STREQ(NameAt(0), "A");
  EXPECT_FALSE(button.SetShiftCount(-1));
  EXPECT_FALSE(button.SetShiftCount(0));  // unchanged
  button.SetShiftState(1);
  EXPECT_EQ(button.GetShiftState(), 0);
  EXPECT_FALSE(button.Init("Other"));  // a second Init changes nothing
  EXPECT_STREQ(button.GetName(), "Button 1");
  EXPECT_STREQ(NameAt(0), "A");
}

TEST_F(ButtonTest, ShiftStateFallsBackToLowerSlots) {
  Armed({"zero", "one"});
  ASSERT_TRUE(button.SetShiftCount(2));
  button.SetShiftState(2);  // no slot 2: falls back to slot 1
  button.Update(Buttons(1));
  button.Update(Buttons(0));
  button.SetShiftState(0);
  button.Update(Buttons(1));
  EXPECT_EQ(log, (EventLog{Started("one"), Stopped("one"), Started("zero")}));
}

TEST_F(ButtonTest, HeldButtonSwitchesActionWithTheShiftState) {
  Armed({"plain", "shifted"}).Update(Buttons(1));
  button.SetShiftState(1);
  button.SetShiftState(0);
  EXPECT_EQ(log, (EventLog{Started("plain"), Stopped("plain"), Started("shifted"),
                           Stopped("shifted"), Started("plain")}));
  EXPECT_TRUE(button.IsPressed());
}

TEST_F(ButtonTest, ShiftButtonChangesStateAndPerformsNoAction) {
  Armed({"own"});
  ASSERT_TRUE(button.SetShiftCount(1));
  button.SetShiftNumber(1);
  EXPECT_STREQ(NameAt(0), "");  // its own action moved up to slot 1
  EXPECT_STREQ(NameAt(1), "own");
  button.Update(Buttons(1));
  EXPECT_EQ(owner.calls, (std::vector{1}));
  button.SetShiftState(owner.state);  // what the controller does next
  button.Update(Buttons(0));
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
  EXPECT_EQ(log, (EventLog{Started("under one")}));
}

TEST_F(ButtonTest, SlotsMoveWithTheShiftNumberAndTheShiftCount) {
  Armed({"a", "b", "c"});
  button.SetShiftNumber(1);  // last slot dropped, others move up
  EXPECT_STREQ(NameAt(0), "");
  EXPECT_STREQ(NameAt(1), "a");
  EXPECT_STREQ(NameAt(2), "b");
  button.SetShiftNumber(2);  // any other change: nothing moves
  EXPECT_STREQ(NameAt(1), "a");
  button.SetShiftNumber(0);  // slot 0 dropped, others move down
  EXPECT_STREQ(NameAt(0), "a");
  EXPECT_STREQ(NameAt(1), "b");
  EXPECT_EQ(button.PeekAction(2, false), nullptr);
  button.SetAction(2, CRecordingAction("c", &log), true);
  ASSERT_TRUE(button.SetShiftCount(1));  // keeps what still fits
  EXPECT_EQ(button.GetHighestShiftState(), 1);
  EXPECT_STREQ(NameAt(1), "b");
  EXPECT_EQ(button.PeekAction(1, true), nullptr);
}

TEST_F(ButtonTest, DisablingReleasesIgnoresPollsAndKeepsATogglePressedEarlier) {
  Armed({"a"}).Update(Buttons(1));
  button.Enable(false);
  EXPECT_EQ(log, (EventLog{Started("a"), Stopped("a")}));
  EXPECT_FALSE(button.IsPressed());
  button.Update(Buttons(0));
  button.Update(Buttons(1));
  EXPECT_EQ(log.size(), 2u);
  button.Enable(true);
  button.Update(Buttons(1));  // still held: pressed again
  EXPECT_EQ(log.size(), 3u);

  CJoystickButton toggle(&owner, 2, "Button 2");
  toggle.SetAction(0, CRecordingAction("t", &log, PushType::Toggle), false);
  for (std::uint32_t bits : {0u, 2u, 0u}) toggle.Update(Buttons(bits));
  toggle.Enable(false);
  EXPECT_EQ(log.back(), Started("t"));
  toggle.StopAllActions();
  EXPECT_EQ(log.back(), Stopped("t"));
}

TEST_F(ButtonTest, RemovingARunningToggleEndsIt) {
  button.SetAction(0, CVKAction(0x43, PushType::Toggle, "C"), false);
  for (std::uint32_t bits : {0u, 1u, 0u}) button.Update(Buttons(bits));
  EXPECT_FALSE(world.input().AllReleased());
  button.RemoveAction(0, false);
  EXPECT_TRUE(world.input().AllReleased());
  EXPECT_EQ(button.PeekAction(0, false), nullptr);
}

TEST_F(ButtonTest, HatDiagonalHoldsBothNeighbours) {
  CJoystickPOVButton forward(&owner, 0), right(&owner, 90);
  forward.SetAction(0, CRecordingAction("F", &log), false);
  right.SetAction(0, CRecordingAction("R", &log), false);
  for (std::uint32_t pov : {4500u, 9000u, seam::kPovCentered}) {
    for (auto* b : {&forward, &right}) b->Update(HatAt(pov));
  }
  EXPECT_EQ(log, (EventLog{Started("F"), Started("R"), Stopped("F"), Stopped("R")}));
}

TEST_F(ButtonTest, HatWindowsOverlapOnlyAtTheDiagonals) {
  const struct {
    int angle;
    std::uint32_t pov;
    bool in;
  } cases[] = {{0, 0, true},        {0, 6199, true},    {0, 6200, false},
               {0, 29800, false},   {0, 29801, true},   {0, seam::kPovCentered, false},
               {90, 2800, false},   {90, 2801, true},   {90, 15200, false},
               {180, 11800, false}, {180, 18000, true}, {180, 24200, false},
               {270, 20800, false}, {270, 33199, true}, {270, 33200, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(CJoystickPOVButton(&owner, c.angle).InRange(c.pov), c.in) << c.angle << " " << c.pov;
  }
}

TEST_F(ButtonTest, DeflectedHatPressesAtTheFirstPoll) {
  CJoystickPOVButton back(&owner, 180);
  back.SetAction(0, CRecordingAction("B", &log), false);
  back.Update(HatAt(18000));
  back.Update(HatAt(18000));
  EXPECT_EQ(log, (EventLog{Started("B")}));
}

}  // namespace
