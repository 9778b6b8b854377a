// Mouse actions: the direction setting, and absolute placement around the screen centre. The
// screen is 1920 x 1080 and the cursor starts in its middle.
#include <gtest/gtest.h>

#include <cmath>

#include "ActionTestSupport.h"

namespace {

using namespace actiontest;

class MouseActionTest : public ActionTest {
 protected:
  CMouseAction right{PushType::Hold, true, 30, 70, 20, 90, "Right"};
  CMouseSpeedData half{50.0};
  CMouseSpeedData quarter{25.0};
};

TEST(MouseDirectionTest, RoundTripsAndWrapsAbove360) {
  CMouseAction a(PushType::Hold, false, 30, 70, 20, 0, "M");
  for (int d : {-90, -1, 0, 89, 90, 359, 360, 450}) {
    a.SetDirection(d);
    EXPECT_EQ(a.GetDirection(), (d + 360) % 360) << d;
  }
  a.SetDirection(2147483647);  // extreme values neither overflow nor trap
  a.SetDirection(-2147483647 - 1);
}

TEST(AbsolutePlacementTest, RoundingTruncatesThenAddsAHalf) {
  const struct {
    double value;
    int rounded;
  } cases[] = {{2.5, 3},   {2.49, 2},           {-1.7, -1},       {-0.5, 0},
               {-2.5, -2}, {1e300, 2147483647}, {std::nan(""), 0}};
  for (const auto& c : cases) EXPECT_EQ(CAbsoluteMousePlacement::Round(c.value), c.rounded);
}

TEST_F(MouseActionTest, OffsetsOfContributorsAddUpAroundTheCentre) {
  CMouseAction down(PushType::Hold, true, 30, 70, 20, 180, "Down");
  auto& placement = CAbsoluteMousePlacement::Instance();
  right.Press(nullptr);  // no factor: no contribution, the cursor goes to the centre
  EXPECT_FALSE(placement.IsContributor(&right));
  right.Press(&half);  // (0.3 W, 0) = (576, 0)
  EXPECT_DOUBLE_EQ(right.GetOffsetX(), 576.0);
  EXPECT_NEAR(right.GetOffsetY(), 0.0, 1e-9);
  down.Press(&half);  // (0, 0.3 H) = (0, 324)
  EXPECT_EQ(placement.ContributorCount(), 2u);
  EXPECT_EQ(world.timers().RunningTimers(), 0u);  // absolute actions need no timer
  right.Release(nullptr);                         // withdraws, the other stays
  EXPECT_FALSE(placement.IsContributor(&right));
  down.Release(nullptr);
  EXPECT_EQ(placement.ContributorCount(), 0u);
  // The centre: 960 / 1920 x 65535 = 32767.5 rounds up; 1536 / 1920 and 864 / 1080 are 0.8.
  EXPECT_EQ(TakeRecorded(),
            "0 mouse 8001 32768 32768 0, 0 mouse 8001 52428 32768 0, 0 mouse 8001 52428 52428 0, "
            "0 mouse 8001 32768 52428 0, 0 mouse 8001 32768 32768 0");
}

TEST_F(MouseActionTest, AKnownLastTargetTurnsPlacementIntoChangesAroundTheCentre) {
  // The cursor already stands on the target and does not move: the target becomes known.
  world.desktop().SetCursorPos(1536, 540);
  right.Press(&half);
  // Unchanged target: the change is zero, so the cursor goes to the centre...
  right.Press(&half);
  // ...which moved it, so the last target is unknown again and the target itself is sent.
  right.Press(&quarter);  // 960 + 288 = 1248: 0.65 of 65535
  // Known again, then a changed target sends the change.
  world.desktop().SetCursorPos(1536, 540);
  right.Press(&half);
  right.Press(&quarter);  // 960 + (1248 - 1536) = 672: 0.35 of 65535 = 22937.25
  EXPECT_EQ(TakeRecorded(),
            "0 mouse 8001 52428 32768 0, 0 mouse 8001 32768 32768 0, 0 mouse 8001 42598 32768 0, "
            "0 mouse 8001 52428 32768 0, 0 mouse 8001 22937 32768 0");
  right.Release(nullptr);
}

}  // namespace
