// Absolute placement around the screen centre. The screen is 1920 x 1080 and the cursor
// starts in its middle.
#include <gtest/gtest.h>

#include <cmath>

#include "ActionTestSupport.h"

namespace {

using namespace actiontest;

TEST(AbsolutePlacementTest, RoundingTruncatesThenAddsAHalf) {
  const std::pair<double, int> cases[] = {{2.5, 3},         {2.49, 2},  {-1.7, -1},
                                          {-0.5, 0},        {-2.5, -2}, {1e300, 2147483647},
                                          {std::nan(""), 0}};
  for (const auto& [value, rounded] : cases) {
    EXPECT_EQ(CAbsoluteMousePlacement::Round(value), rounded) << value;
  }
}

// Offsets of contributors add up around the centre; once the cursor stands on the last target
// (it is known), placement sends changes around the centre instead of the target itself.
TEST_F(ActionTest, AbsolutePlacementAddsUpAndFollowsAKnownLastTarget) {
  CMouseAction right{PushType::Hold, true, 30, 70, 20, 90, "Right"};
  CMouseAction down(PushType::Hold, true, 30, 70, 20, 180, "Down");
  CMouseSpeedData half{50.0}, quarter{25.0};
  auto& placement = CAbsoluteMousePlacement::Instance();
  right.Press(nullptr);  // no factor: no contribution, the cursor goes to the centre
  EXPECT_FALSE(placement.IsContributor(&right));
  right.Press(&half);  // (0.3 W, 0) = (576, 0)
  down.Press(&half);   // (0, 0.3 H) = (0, 324)
  EXPECT_EQ(placement.ContributorCount(), 2u);
  EXPECT_EQ(world.timers().RunningTimers(), 0u);  // absolute actions need no timer
  right.Release(nullptr);                         // withdraws, the other stays
  down.Release(nullptr);
  EXPECT_EQ(placement.ContributorCount(), 0u);
  // The centre: 960 / 1920 x 65535 = 32767.5 rounds up; 1536 / 1920 and 864 / 1080 are 0.8.
  EXPECT_EQ(Describe(world.input().TakeLog()),
            "0 mouse 8001 32768 32768 0, 0 mouse 8001 52428 32768 0, 0 mouse 8001 52428 52428 0, "
            "0 mouse 8001 32768 52428 0, 0 mouse 8001 32768 32768 0");
  world.desktop().SetCursorPos(1536, 540);  // on the target: it becomes known
  right.Press(&half);
  right.Press(&half);     // unchanged: a change of zero puts the cursor in the centre...
  right.Press(&quarter);  // ...which moved it: unknown again, 960 + 288 = 1248 is sent
  world.desktop().SetCursorPos(1536, 540);
  right.Press(&half);
  right.Press(&quarter);  // known: 960 + (1248 - 1536) = 672, 0.35 of 65535 = 22937.25
  EXPECT_EQ(Describe(world.input().TakeLog()),
            "0 mouse 8001 52428 32768 0, 0 mouse 8001 32768 32768 0, 0 mouse 8001 42598 32768 0, "
            "0 mouse 8001 52428 32768 0, 0 mouse 8001 22937 32768 0");
  right.Release(nullptr);
}

}  // namespace
