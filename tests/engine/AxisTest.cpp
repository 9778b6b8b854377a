#include <gtest/gtest.h>

#include <vector>

#include "EngineFixture.h"
#include "engine/JoystickAxis.h"

namespace {

class NoOwner : public CShiftButtonOwner {
 public:
  void ShiftButtonPressed(int) override {}
  void ShiftButtonReleased(int) override {}
};

class AxisTest : public ::testing::Test {
 protected:
  // An X axis with "pos" on the max side and "neg" on the min side, both at 0 percent.
  CJoystickAxis& Make(std::uint32_t min = 0, std::uint32_t max = 65535, int threshold = 1000) {
    axis = std::make_unique<CJoystickAxis>(&owner, CJoystickAxisProperties(0, min, max, threshold),
                                           "X Axis");
    axis->AddPositiveThreshold(0, CRecordingAction("pos", &log), 0);
    axis->AddNegativeThreshold(0, CRecordingAction("neg", &log), 0);
    return *axis;
  }
  void At(double x) {
    seam::JoystickState state;
    state.xPos = static_cast<std::uint32_t>(x);
    axis->Update(state);
  }

  VirtualWorld world;
  NoOwner owner;
  EventLog log;
  std::unique_ptr<CJoystickAxis> axis;
};

// The dead zone is centred in the range; a threshold wider than the range is clamped to it
// (unsigned arithmetic would wrap the low edge around otherwise).
TEST(AxisPropertiesTest, DeadZoneEdges) {
  const struct {
    std::uint32_t min, max;
    int threshold, kept;
    std::uint32_t low, centre, high;
  } cases[] = {{0, 65535, 1000, 1000, 32267, 32767, 33267},
               {0, 65535, 30000, 30000, 17767, 32767, 47767},
               {0, 65535, 99999, 65535, 0, 32767, 65535},
               {0, 65535, -5, 0, 32767, 32767, 32767},
               {0, 255, 1000, 255, 0, 127, 255},
               {100, 1100, 200, 200, 500, 600, 700}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.threshold);
    CJoystickAxisProperties p(0, c.min, c.max);
    p.SetThreshold(c.threshold);
    EXPECT_EQ(p.GetThreshold(), c.kept);
    EXPECT_EQ(p.Low(), c.low);
    EXPECT_EQ(p.Centre(), c.centre);
    EXPECT_EQ(p.High(), c.high);
    p.SetPosition(c.max);
    EXPECT_EQ(p.ResetPosition(), c.centre);
  }
  EXPECT_EQ(CJoystickAxisProperties(2, 0, 255).GetThreshold(), 255);  // the default 1000, too
}

TEST_F(AxisTest, DeadZoneEdgesAndSpeedAsPercentOfTheDeflection) {
  Make();
  At(33267);  // not strictly above high
  At(32767);  // back, so that the next step exceeds the sensitivity
  At(33268);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_GT(log[0].speed, 0.0);
  At(49401);  // half way: every significant movement presses again with the new speed
  EXPECT_NEAR(log.back().speed, 50.0, 0.01);
  At(65535);
  At(32767);  // back into the dead zone
  At(0);
  At(60000);  // a jump across the centre releases, then presses the other side
  EXPECT_EQ(Trace(log), "+pos@0 +pos@50 +pos@100 -pos +neg@100 -neg +pos@83");
  EXPECT_DOUBLE_EQ(axis->DeflectionPercent(0), 100.0);
  EXPECT_DOUBLE_EQ(axis->DeflectionPercent(32767), 0.0);
}

TEST_F(AxisTest, JitterUpToTheSensitivityIsIgnored) {
  Make().AddPositiveThreshold(0, CRecordingAction("far", &log), 30);
  At(40000);
  for (std::uint32_t x : {40080u, 40100u}) {
    At(x);
    EXPECT_EQ(axis->Properties().GetPosition(), 40000u);
  }
  At(40101);
  EXPECT_EQ(axis->Properties().GetPosition(), 40101u);
  EXPECT_EQ(Trace(log), "+pos@21 +pos@21");
}

TEST_F(AxisTest, PercentEntriesTakeOverAndAHighOneStaysUntilTheDeadZone) {
  Make().AddPositiveThreshold(0, CRecordingAction("B", &log), 50);
  for (double percent : {30, 70, 30}) At(33267.5 + (65535 - 33267.5) * percent / 100);
  EXPECT_EQ(Trace(log), "+pos@30 -pos +B@70 -B +pos@30");

  Make().AddNegativeThreshold(0, CRecordingAction("far", &log), 50);
  axis->RemoveNegativeThreshold(0, 0);
  log.clear();  // the replaced axis ended its entry
  for (double percent : {30, 60, 30}) At(32267.5 - 32267.5 * percent / 100);
  At(32767);
  EXPECT_EQ(Trace(log), "+far@60 -far");
}

TEST_F(AxisTest, ThresholdsAtAndBeyondTheRange) {
  Make().Properties().SetThreshold(99999);  // clamped: no position is a deflection
  for (std::uint32_t x : {0u, 20000u, 32767u, 50000u, 65535u, 0u}) At(x);
  EXPECT_EQ(Trace(log), "");

  Make().Properties().SetThreshold(60000);  // dead zone 2767..62767
  for (std::uint32_t x : {62767u, 2767u, 62900u, 2000u}) At(x);
  EXPECT_EQ(Trace(log), "+pos@5 -pos +neg@28");
  EXPECT_NEAR(log.back().speed, 100.0 * (2767.5 - 2000) / 2767.5, 1e-9);
}

TEST_F(AxisTest, EndsOfOtherRangesAndReadingsBeyondThemAreFullDeflections) {
  const struct {
    std::uint32_t min, max;
    int threshold;
    std::uint32_t x;
    const char* trace;
  } cases[] = {{100, 1100, 200, 1100, "+pos@100"},
               {100, 1100, 200, 100, "+neg@100"},
               {0, 1000, 100, 4000000000u, "+pos@100"}};
  for (const auto& c : cases) {
    Make(c.min, c.max, c.threshold).Properties().SetSensitivity(10);
    log.clear();
    At(c.x);
    EXPECT_EQ(Trace(log), c.trace) << c.x;
  }
}

TEST_F(AxisTest, DisablingEndsTheActionAndIgnoresPolls) {
  Make();
  At(0);
  axis->Enable(false);
  EXPECT_FALSE(axis->IsPressed());
  At(65535);
  At(0);
  EXPECT_EQ(Trace(log), "+neg@100 -neg");
  axis->SetShiftNumber(2);  // an axis is never a shift button
  EXPECT_EQ(axis->GetShiftNumber(), 0);
}

TEST_F(AxisTest, EntriesAreRemovedAndHandedOutAsCopies) {
  Make().AddPositiveThreshold(0, CRecordingAction("p", &log), 20);
  axis->AddPositiveThreshold(3, CRecordingAction("ignored", &log), 10);  // no shift state 3
  auto positive = axis->GetPositiveActions(0);
  EXPECT_NE(positive.get(), axis->PeekThresholds(false, 0));
  EXPECT_STREQ(positive->FindThreshold(20)->GetName(), "p");
  auto negative = axis->GetAction(0, false);
  EXPECT_STREQ(dynamic_cast<CJoystickAxisThreshold&>(*negative).FindThreshold(0)->GetName(), "neg");
  axis->RemovePositiveThreshold(0, 99);  // no such entry
  EXPECT_EQ(axis->PeekThresholds(false, 0)->GetThresholdCount(), 2);
  for (int percent : {0, 20}) axis->RemovePositiveThreshold(0, percent);
  EXPECT_EQ(axis->GetPositiveActions(0), nullptr);
}

// The container of one side's entries.

TEST(AxisThresholdTest, FindForValueIsStrictAndPrefersTheEarlierOfEquals) {
  EventLog log;
  CJoystickAxisThreshold container;
  EXPECT_EQ(container.GetPushType(), PushType::None);
  const std::pair<const char*, int> entries[] = {{"zero", 0}, {"fifty", 50}, {"minus", -10}};
  for (const auto& [name, percent] : entries) {
    container.AddThreshold(std::make_unique<CRecordingAction>(name, &log), percent);
  }
  EXPECT_EQ(container.FindForValue(0), nullptr);  // -10 is never chosen
  EXPECT_STREQ(container.FindForValue(0.001)->GetName(), "zero");
  EXPECT_STREQ(container.FindForValue(50)->GetName(), "zero");
  EXPECT_STREQ(container.FindForValue(50.5)->GetName(), "fifty");
  container.RemoveThreshold(-10);
  EXPECT_EQ(container.GetThresholdCount(), 2);
  EXPECT_EQ(container.FindThreshold(-10), nullptr);

  auto copy = container.Clone();
  auto* typed = dynamic_cast<CJoystickAxisThreshold*>(copy.get());
  ASSERT_NE(typed, nullptr);
  ASSERT_EQ(typed->GetThresholdCount(), 2);
  EXPECT_EQ(typed->GetPercentAt(1), 50);
  EXPECT_NE(typed->GetActionAt(0), container.GetActionAt(0));
  auto node = container.CreateXMLNode();
  EXPECT_EQ(node->Name(), "Thresholds");
  EXPECT_TRUE(node->Attributes().empty());
  ASSERT_EQ(node->Children().size(), 2u);
  const CXMLNode& second = *node->Children()[1];
  EXPECT_EQ(second.Name(), "RecordingAction");
  EXPECT_STREQ(second.FindAttribute("percent")->GetValue(), "50");
  EXPECT_STREQ(second.FindAttribute("name")->GetValue(), "fifty");
}

TEST(AxisThresholdTest, NullSpeedSelectsNothingAndDestructionEndsARunningToggle) {
  VirtualWorld world;
  EventLog log;
  {
    CJoystickAxisThreshold container;
    container.AddThreshold(std::make_unique<CRecordingAction>("a", &log, PushType::Toggle), 0);
    container.Press(nullptr);
    EXPECT_TRUE(log.empty());
    CMouseSpeedData speed(10);
    container.Press(&speed);
    EXPECT_FALSE(container.IsActive());  // the container itself never runs
    EXPECT_NE(container.GetActiveAction(), nullptr);
    container.Release(nullptr);  // an unarmed toggle keeps running
    EXPECT_EQ(log.size(), 1u);
  }
  EXPECT_EQ(log, (EventLog{Started("a", 10), Stopped("a")}));
}

}  // namespace
