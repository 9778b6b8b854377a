// The real service's periodic grid: on time it moves one period, late it skips what is past.
#include "app/timer/TimerSchedule.h"

#include <gtest/gtest.h>

namespace {

using std::chrono::milliseconds;
using timer_schedule::Clock;
using timer_schedule::NextDue;

Clock::time_point At(int ms) { return Clock::time_point(milliseconds(ms)); }

TEST(TimerSchedule, ATickOnTimeIsFollowedOnePeriodLater) {
  EXPECT_EQ(NextDue(At(30), milliseconds(30), At(30)), At(60));
  EXPECT_EQ(NextDue(At(30), milliseconds(30), At(59)), At(60));
}

TEST(TimerSchedule, ALateTickSkipsThePeriodsAlreadyPastAndStaysOnTheGrid) {
  EXPECT_EQ(NextDue(At(30), milliseconds(30), At(60)), At(60));  // due right now: not past
  EXPECT_EQ(NextDue(At(30), milliseconds(30), At(61)), At(90));
  EXPECT_EQ(NextDue(At(30), milliseconds(30), At(125)), At(150));
  EXPECT_EQ(NextDue(At(1), milliseconds(1), At(1000)), At(1000));
  EXPECT_EQ(NextDue(At(1), milliseconds(1), At(1000) + std::chrono::microseconds(1)), At(1001));
}

}  // namespace
