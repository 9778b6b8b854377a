// One axis on its own: the dead zone, the speed as percent of the deflection, the sensitivity
// to jitter, and the entries of one side chosen by percent.
#include <gtest/gtest.h>

#include <vector>

#include "EngineFixture.h"
#include "engine/JoystickAxis.h"

namespace {

class AxisTest : public ::testing::Test {
 protected:
  // An X axis with "pos" on the max side and "neg" on the min side, both at 0 percent.
  CJoystickAxis& Make(std::uint32_t min = 0, std::uint32_t max = 65535, int threshold = 1000) {
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

// Every significant movement presses again with the new speed; a jump across the centre
// releases, then presses the other side.
TEST_F(AxisTest, DeadZoneEdgesAndSpeedAsPercentOfTheDeflection) {
  Make();
  for (double x : {33267.0, 32767.0, 33268.0, 49401.0, 65535.0, 32767.0, 0.0, 60000.0}) At(x);
  EXPECT_EQ(Trace(log), "+pos@0 +pos@50 +pos@100 -pos +neg@100 -neg +pos@83");
  EXPECT_GT(log[0].speed, 0.0);
  EXPECT_NEAR(log[1].speed, 50.0, 0.01);
}

TEST_F(AxisTest, JitterUpToTheSensitivityIsIgnored) {
  Make();
  for (std::uint32_t x : {40000u, 40080u, 40100u}) At(x);
  EXPECT_EQ(axis->Properties().GetPosition(), 40000u);
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

TEST_F(AxisTest, EndsOfOtherRangesAndReadingsBeyondThemAreFullDeflections) {
  const struct {
    std::uint32_t min, max;
    int threshold;
    std::uint32_t x;
    const char* trace;
  } cases[] = {{100, 1100, 200, 1100, "+pos@100"},
               {100, 1100, 200, 100, "+neg@100"},
               {0, 1000, 100, 4000000000u, "+pos@100"},
               {0, 65535, 60000, 2000, "+neg@28"}};  // dead zone 2767..62767
  for (const auto& c : cases) {
    Make(c.min, c.max, c.threshold).Properties().SetSensitivity(10);
    At(c.x);
    EXPECT_EQ(Trace(log), c.trace) << c.x;
  }
}

// The container of one side's entries: the strictly lowest percent below the value wins, the
// earlier of equals; copies are deep.
TEST(AxisThresholdTest, FindForValueIsStrictAndPrefersTheEarlierOfEquals) {
  VirtualWorld world;
  EventLog log;
  auto container = std::make_unique<CJoystickAxisThreshold>();
  const std::pair<const char*, int> entries[] = {{"zero", 0}, {"fifty", 50}, {"minus", -10}};
  for (const auto& [name, percent] : entries) {
    container->AddThreshold(std::make_unique<CRecordingAction>(name, &log, PushType::Toggle),
                            percent);
  }
  EXPECT_EQ(container->FindForValue(0), nullptr);  // -10 is never chosen
  EXPECT_STREQ(container->FindForValue(50)->GetName(), "zero");
  EXPECT_STREQ(container->FindForValue(50.5)->GetName(), "fifty");
  container->RemoveThreshold(-10);
  auto copy = container->Clone();
  auto& typed = dynamic_cast<CJoystickAxisThreshold&>(*copy);
  ASSERT_EQ(typed.GetThresholdCount(), 2);
  EXPECT_EQ(typed.GetPercentAt(1), 50);
  EXPECT_NE(typed.GetActionAt(0), container->GetActionAt(0));
  const auto node = container->CreateXMLNode();
  ASSERT_EQ(node->Children().size(), 2u);
  EXPECT_STREQ(node->Children()[1]->FindAttribute("percent")->GetValue(), "50");
  // A press without a speed selects nothing; a destroyed container ends a running toggle.
  container->Press(nullptr);
  CMouseSpeedData speed(10);
  container->Press(&speed);
  container->Release(nullptr);
  copy.reset();
  EXPECT_EQ(log, (EventLog{Started("zero", 10)}));
  container.reset();
  EXPECT_EQ(log, (EventLog{Started("zero", 10), Stopped("zero")}));
}

}  // namespace
