#include <gtest/gtest.h>

#include <vector>

#include "RecordingAction.h"
#include "engine/JoystickAxis.h"
#include "engine/ShiftButtonOwner.h"
#include "support/VirtualWorld.h"
#include "xml/XMLNode.h"

namespace {

class NoOwner : public CShiftButtonOwner {
 public:
  void ShiftButtonPressed(int) override {}
  void ShiftButtonReleased(int) override {}
};

seam::JoystickState AtX(std::uint32_t x) {
  seam::JoystickState state;
  state.xPos = x;
  return state;
}

class AxisTest : public ::testing::Test {
 protected:
  CJoystickAxis MakeAxis(std::uint32_t min = 0, std::uint32_t max = 65535, int threshold = 1000) {
    return CJoystickAxis(&owner, CJoystickAxisProperties(0, min, max, threshold), "X Axis");
  }

  VirtualWorld world;
  NoOwner owner;
  std::vector<ActionEvent> log;
};

TEST(AxisPropertiesTest, DeadZoneOfTheUsualRange) {
  CJoystickAxisProperties p(0, 0, 65535);
  EXPECT_EQ(p.GetThreshold(), 1000);
  EXPECT_EQ(p.GetSensitivity(), 100);
  EXPECT_EQ(p.High(), 33267u);
  EXPECT_EQ(p.Low(), 32267u);
  EXPECT_EQ(p.Centre(), 32767u);
  EXPECT_EQ(p.GetPosition(), 32767u);
  p.SetPosition(1);
  EXPECT_EQ(p.ResetPosition(), 32767u);
  auto copy = p.Clone();
  EXPECT_EQ(copy->GetMax(), 65535u);
  EXPECT_EQ(copy->GetAxisIndex(), 0);
}

TEST(AxisPropertiesTest, ThresholdIsClampedToTheRange) {
  CJoystickAxisProperties p(1, 0, 65535);
  p.SetThreshold(99999);
  EXPECT_EQ(p.GetThreshold(), 65535);
  EXPECT_EQ(p.Low(), 0u);
  EXPECT_EQ(p.High(), 65535u);
  p.SetThreshold(-5);
  EXPECT_EQ(p.GetThreshold(), 0);
  p.SetThreshold(30000);  // in range: kept as given
  EXPECT_EQ(p.GetThreshold(), 30000);
  EXPECT_EQ(p.High(), 47767u);
  EXPECT_EQ(p.Low(), 17767u);
  CJoystickAxisProperties small(2, 0, 255);  // the default 1000 is wider than this range
  EXPECT_EQ(small.GetThreshold(), 255);
}

TEST(AxisPropertiesTest, DeadZoneIsCentredForRangesNotStartingAtZero) {
  CJoystickAxisProperties p(0, 100, 1100, 200);
  EXPECT_EQ(p.Centre(), 600u);
  EXPECT_EQ(p.High(), 700u);
  EXPECT_EQ(p.Low(), 500u);
}

TEST_F(AxisTest, DeadZoneEdgesAndPercentages) {
  auto axis = MakeAxis();
  axis.AddPositiveThreshold(0, CRecordingAction("pos", &log), 0);
  axis.AddNegativeThreshold(0, CRecordingAction("neg", &log), 0);
  axis.Update(AtX(33267));  // not strictly above high
  EXPECT_TRUE(log.empty());
  axis.Update(AtX(32767));  // back, so that the next step exceeds the sensitivity
  axis.Update(AtX(33268));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].name, "pos");
  EXPECT_GT(log[0].speed, 0.0);
  EXPECT_LT(log[0].speed, 0.01);
  axis.Update(AtX(65535));  // pressed again with the new speed
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1], Started("pos", 100.0));
  EXPECT_DOUBLE_EQ(axis.DeflectionPercent(65535), 100.0);
  EXPECT_DOUBLE_EQ(axis.DeflectionPercent(0), 100.0);
  EXPECT_DOUBLE_EQ(axis.DeflectionPercent(32767), 0.0);
  axis.Update(AtX(32767));  // back into the dead zone
  EXPECT_EQ(log.back(), Stopped("pos"));
  axis.Update(AtX(0));
  EXPECT_EQ(log.back(), Started("neg", 100.0));
}

TEST_F(AxisTest, SpeedFollowsEveryMovementOfTheSelectedEntry) {
  auto axis = MakeAxis();
  CRecordingAction mouse("m", &log);
  axis.AddPositiveThreshold(0, mouse, 0);
  axis.Update(AtX(49401));  // half way
  auto* entry = axis.PeekThresholds(false, 0)->FindThreshold(0);
  ASSERT_TRUE(entry->IsActive());
  EXPECT_NEAR(log.back().speed, 50.0, 0.01);
  // Every significant movement presses the running entry again with the new speed.
  axis.Update(AtX(65535));
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1], Started("m", 100.0));
}

TEST_F(AxisTest, JumpAcrossTheCentreReleasesThenPressesTheOtherSide) {
  auto axis = MakeAxis();
  axis.AddPositiveThreshold(0, CRecordingAction("pos", &log), 0);
  axis.AddNegativeThreshold(0, CRecordingAction("neg", &log), 0);
  axis.Update(AtX(60000));
  axis.Update(AtX(5000));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[1], Stopped("pos"));
  EXPECT_EQ(log[2].name, "neg");
  EXPECT_TRUE(log[2].start);
}

TEST_F(AxisTest, JitterBelowTheSensitivityAccumulates) {
  auto axis = MakeAxis();
  axis.AddPositiveThreshold(0, CRecordingAction("pos", &log), 0);
  axis.AddPositiveThreshold(0, CRecordingAction("far", &log), 30);
  axis.Update(AtX(40000));
  ASSERT_EQ(log.size(), 1u);
  axis.Update(AtX(40080));
  EXPECT_EQ(axis.Properties().GetPosition(), 40000u);
  axis.Update(AtX(40100));  // exactly the sensitivity: still ignored
  EXPECT_EQ(axis.Properties().GetPosition(), 40000u);
  EXPECT_EQ(log.size(), 1u);
  axis.Update(AtX(40101));
  EXPECT_EQ(axis.Properties().GetPosition(), 40101u);
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(AxisTest, PercentEntriesTakeOverAndHandBack) {
  auto axis = MakeAxis();
  axis.AddPositiveThreshold(0, CRecordingAction("A", &log), 0);
  axis.AddPositiveThreshold(0, CRecordingAction("B", &log), 50);
  const auto at = [](double percent) {
    return static_cast<std::uint32_t>(33267.5 + (65535 - 33267.5) * percent / 100);
  };
  axis.Update(AtX(at(30)));
  axis.Update(AtX(at(70)));
  axis.Update(AtX(at(30)));
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0].name, "A");
  EXPECT_EQ(log[1], Stopped("A"));
  EXPECT_EQ(log[2].name, "B");
  EXPECT_EQ(log[3], Stopped("B"));
  EXPECT_EQ(log[4].name, "A");
}

TEST_F(AxisTest, HighEntryStaysUntilTheDeadZone) {
  auto axis = MakeAxis();
  axis.AddNegativeThreshold(0, CRecordingAction("B", &log), 50);
  const auto at = [](double percent) {
    return static_cast<std::uint32_t>(32267.5 - 32267.5 * percent / 100);
  };
  axis.Update(AtX(at(30)));
  EXPECT_TRUE(log.empty());
  axis.Update(AtX(at(60)));
  axis.Update(AtX(at(30)));
  EXPECT_EQ(log.size(), 1u);
  axis.Update(AtX(32767));
  EXPECT_EQ(log.back(), Stopped("B"));
}

TEST_F(AxisTest, SamePercentReplacesAndRemovalEmptiesTheSlot) {
  auto axis = MakeAxis();
  axis.AddPositiveThreshold(0, CRecordingAction("first", &log), 10);
  axis.AddPositiveThreshold(0, CRecordingAction("second", &log), 10);
  ASSERT_NE(axis.PeekThresholds(false, 0), nullptr);
  EXPECT_EQ(axis.PeekThresholds(false, 0)->GetThresholdCount(), 1);
  EXPECT_STREQ(axis.PeekThresholds(false, 0)->FindThreshold(10)->GetName(), "second");
  axis.AddPositiveThreshold(3, CRecordingAction("ignored", &log), 10);  // no shift state 3
  axis.RemovePositiveThreshold(0, 99);                                  // no such percent
  EXPECT_NE(axis.PeekThresholds(false, 0), nullptr);
  axis.RemovePositiveThreshold(0, 10);
  EXPECT_EQ(axis.PeekThresholds(false, 0), nullptr);
  EXPECT_EQ(axis.GetPositiveActions(0), nullptr);
}

TEST_F(AxisTest, ThresholdWiderThanTheRangeNeverDeflects) {
  // Without the clamp, the low edge wraps around and every position reads as a full
  // deflection towards min.
  auto axis = MakeAxis();
  axis.Properties().SetThreshold(99999);
  axis.AddPositiveThreshold(0, CRecordingAction("pos", &log), 0);
  axis.AddNegativeThreshold(0, CRecordingAction("neg", &log), 0);
  for (std::uint32_t x : {0u, 20000u, 32767u, 50000u, 65535u, 0u}) axis.Update(AtX(x));
  EXPECT_TRUE(log.empty());
}

TEST_F(AxisTest, WideInRangeThresholdStillWorks) {
  auto axis = MakeAxis();
  axis.Properties().SetThreshold(60000);  // dead zone 2767..62767
  axis.AddPositiveThreshold(0, CRecordingAction("pos", &log), 0);
  axis.AddNegativeThreshold(0, CRecordingAction("neg", &log), 0);
  axis.Update(AtX(62767));
  axis.Update(AtX(2767));
  EXPECT_TRUE(log.empty());
  axis.Update(AtX(62900));
  EXPECT_EQ(log.size(), 1u);
  axis.Update(AtX(2000));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[2].name, "neg");
  EXPECT_NEAR(log[2].speed, 100.0 * (2767.5 - 2000) / 2767.5, 1e-9);
}

TEST_F(AxisTest, RangeNotStartingAtZero) {
  auto axis = MakeAxis(100, 1100, 200);
  axis.Properties().SetSensitivity(10);
  axis.AddPositiveThreshold(0, CRecordingAction("pos", &log), 0);
  axis.AddNegativeThreshold(0, CRecordingAction("neg", &log), 0);
  axis.Update(AtX(1100));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], Started("pos", 100.0));
  axis.Update(AtX(100));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[2], Started("neg", 100.0));
}

TEST_F(AxisTest, ReadingsBeyondTheRangeCountAsTheEnd) {
  auto axis = MakeAxis(0, 1000, 100);
  axis.AddPositiveThreshold(0, CRecordingAction("pos", &log), 0);
  axis.Update(AtX(4000000000u));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].speed, 100.0);
}

TEST_F(AxisTest, ShiftChangeStopsAtOnceAndRepressesWithSpeedAtTheNextPoll) {
  auto axis = MakeAxis();
  ASSERT_TRUE(axis.SetShiftCount(1));
  axis.AddPositiveThreshold(0, CRecordingAction("plain", &log), 0);
  axis.AddPositiveThreshold(1, CRecordingAction("shifted", &log), 0);
  axis.Update(AtX(65535));
  axis.SetShiftState(1);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1], Stopped("plain"));
  EXPECT_EQ(axis.Properties().GetPosition(), 32767u);
  axis.Update(AtX(65535));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[2], Started("shifted", 100.0));
}

TEST_F(AxisTest, AxisIsNeverAShiftButton) {
  auto axis = MakeAxis();
  axis.SetShiftNumber(2);
  EXPECT_EQ(axis.GetShiftNumber(), 0);
}

TEST_F(AxisTest, DisablingEndsBothSidesAndIgnoresPolls) {
  auto axis = MakeAxis();
  axis.AddNegativeThreshold(0, CRecordingAction("neg", &log), 0);
  axis.Update(AtX(0));
  axis.Enable(false);
  EXPECT_EQ(log.back(), Stopped("neg"));
  EXPECT_FALSE(axis.IsPressed());
  axis.Update(AtX(65535));
  axis.Update(AtX(0));
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(AxisTest, CopiesOfTheContainers) {
  auto axis = MakeAxis();
  axis.AddPositiveThreshold(0, CRecordingAction("p", &log), 20);
  axis.AddNegativeThreshold(0, CRecordingAction("n", &log), 0);
  auto positive = axis.GetPositiveActions(0);
  ASSERT_NE(positive, nullptr);
  EXPECT_NE(positive.get(), axis.PeekThresholds(false, 0));
  EXPECT_STREQ(positive->FindThreshold(20)->GetName(), "p");
  auto negative = axis.GetAction(0, false);
  ASSERT_NE(negative, nullptr);
  auto* container = dynamic_cast<CJoystickAxisThreshold*>(negative.get());
  ASSERT_NE(container, nullptr);
  EXPECT_STREQ(container->FindThreshold(0)->GetName(), "n");
}

// The container.

TEST(AxisThresholdTest, FindForValueIsStrictAndPrefersTheEarlierOfEquals) {
  std::vector<ActionEvent> log;
  CJoystickAxisThreshold container;
  EXPECT_EQ(container.GetPushType(), PushType::None);
  container.AddThreshold(std::make_unique<CRecordingAction>("zero", &log), 0);
  container.AddThreshold(std::make_unique<CRecordingAction>("fifty", &log), 50);
  container.AddThreshold(std::make_unique<CRecordingAction>("minus", &log), -10);
  EXPECT_EQ(container.FindForValue(0), nullptr);  // -10 is never chosen
  EXPECT_STREQ(container.FindForValue(0.001)->GetName(), "zero");
  EXPECT_STREQ(container.FindForValue(50)->GetName(), "zero");
  EXPECT_STREQ(container.FindForValue(50.5)->GetName(), "fifty");
  EXPECT_EQ(container.GetThresholdCount(), 3);
  container.RemoveThreshold(-10);
  EXPECT_EQ(container.GetThresholdCount(), 2);
  EXPECT_EQ(container.FindThreshold(-10), nullptr);
}

TEST(AxisThresholdTest, NullSpeedSelectsNothingAndStopReleasesAll) {
  VirtualWorld world;
  std::vector<ActionEvent> log;
  CJoystickAxisThreshold container;
  container.AddThreshold(std::make_unique<CRecordingAction>("a", &log), 0);
  container.Press(nullptr);
  EXPECT_TRUE(log.empty());
  CMouseSpeedData speed(10);
  container.Press(&speed);
  EXPECT_FALSE(container.IsActive());  // the container itself never runs
  EXPECT_NE(container.GetActiveAction(), nullptr);
  container.Release(nullptr);
  EXPECT_EQ(log, (std::vector{Started("a", 10), Stopped("a")}));
}

TEST(AxisThresholdTest, CloneAndElement) {
  std::vector<ActionEvent> log;
  CJoystickAxisThreshold container;
  container.AddThreshold(std::make_unique<CRecordingAction>("a", &log), 0);
  container.AddThreshold(std::make_unique<CRecordingAction>("b", &log), 40);
  auto copy = container.Clone();
  auto* typed = dynamic_cast<CJoystickAxisThreshold*>(copy.get());
  ASSERT_NE(typed, nullptr);
  ASSERT_EQ(typed->GetThresholdCount(), 2);
  EXPECT_EQ(typed->GetPercentAt(1), 40);
  EXPECT_NE(typed->GetActionAt(0), container.GetActionAt(0));
  auto node = container.CreateXMLNode();
  EXPECT_EQ(node->Name(), "Thresholds");
  EXPECT_TRUE(node->Attributes().empty());
  ASSERT_EQ(node->Children().size(), 2u);
  const CXMLNode& second = *node->Children()[1];
  EXPECT_EQ(second.Name(), "RecordingAction");
  ASSERT_NE(second.FindAttribute("percent"), nullptr);
  EXPECT_STREQ(second.FindAttribute("percent")->GetValue(), "40");
  EXPECT_STREQ(second.FindAttribute("name")->GetValue(), "b");
}

TEST(AxisThresholdTest, DestroyingEndsARunningToggleEntry) {
  std::vector<ActionEvent> log;
  {
    CJoystickAxisThreshold container;
    container.AddThreshold(std::make_unique<CRecordingAction>("t", &log, PushType::Toggle), 0);
    CMouseSpeedData speed(10);
    container.Press(&speed);
    container.Release(nullptr);  // an unarmed toggle keeps running
    EXPECT_EQ(log.size(), 1u);
  }
  EXPECT_EQ(log, (std::vector{Started("t", 10), Stopped("t")}));
}

}  // namespace
