// Ticks on virtual time: their times, their order and the effect of starting and stopping
// timers inside a tick.
#include "app/timer/VirtualTimerService.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "RecordingUser.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class VirtualTimeTest : public ::testing::Test {
 protected:
  VirtualTimerService clock_{100};
  ScopedTimerService installed_{&clock_};
  std::vector<std::string> log_;
};

TEST_F(VirtualTimeTest, PeriodicTimerTicksOneWholePeriodAfterItsStart) {
  RecordingUser a(clock_, "A", log_);
  a.Start(30);
  clock_.Advance(29);
  EXPECT_THAT(log_, IsEmpty());
  clock_.Advance(1);
  clock_.Advance(60);
  EXPECT_THAT(log_, ElementsAre("A@130", "A@160", "A@190"));
  EXPECT_EQ(clock_.Now(), 190u);
}

TEST_F(VirtualTimeTest, OneLongAdvanceDeliversEveryTickInTimeOrder) {
  RecordingUser a(clock_, "A", log_);
  RecordingUser b(clock_, "B", log_);
  a.Start(30);
  clock_.Advance(5);
  b.Start(20);  // started at 105
  clock_.Advance(80);
  EXPECT_THAT(log_, ElementsAre("B@125", "A@130", "B@145", "A@160", "B@165", "B@185"));
}

TEST_F(VirtualTimeTest, TicksDueTogetherComeInStartOrder) {
  RecordingUser slow(clock_, "slow", log_);
  RecordingUser fast(clock_, "fast", log_);
  RecordingUser same(clock_, "same", log_);
  slow.Start(20);
  fast.Start(10);
  same.Start(20);
  clock_.Advance(40);
  EXPECT_THAT(log_, ElementsAre("fast@110", "slow@120", "fast@120", "same@120", "fast@130",
                                "slow@140", "fast@140", "same@140"));
}

TEST_F(VirtualTimeTest, ARestartedTimerTakesItsPlaceAfterTheOthers) {
  RecordingUser a(clock_, "A", log_);
  RecordingUser b(clock_, "B", log_);
  RecordingUser c(clock_, "C", log_);
  a.Start(10);
  b.Start(10);
  c.Start(10);
  a.Stop();
  b.Stop();
  b.Start(10);
  a.Start(10);
  clock_.Advance(10);
  EXPECT_THAT(log_, ElementsAre("C@110", "B@110", "A@110"));
}

TEST_F(VirtualTimeTest, TimerStartedInsideATickFirstTicksOnePeriodLater) {
  RecordingUser a(clock_, "A", log_);
  RecordingUser late(clock_, "late", log_);
  a.onTick = [&] {
    if (late.id == 0) late.Start(5);
  };
  a.Start(10);
  clock_.Advance(20);
  EXPECT_THAT(log_, ElementsAre("A@110", "late@115", "A@120", "late@120"));
}

TEST_F(VirtualTimeTest, TimerStoppedInsideATickMissesItsTickDueAtTheSameMoment) {
  RecordingUser a(clock_, "A", log_);
  RecordingUser b(clock_, "B", log_);
  a.onTick = [&] { b.Stop(); };
  a.Start(10);
  b.Start(10);
  clock_.Advance(30);
  EXPECT_THAT(log_, ElementsAre("A@110", "A@120", "A@130"));
  EXPECT_EQ(clock_.RunningTimers(), 1u);
}

TEST_F(VirtualTimeTest, TimerStoppingItselfTicksNoMore) {
  RecordingUser a(clock_, "A", log_);
  int ticks = 0;
  a.onTick = [&] {
    if (++ticks == 2) a.Stop();
  };
  a.Start(10);
  clock_.Advance(100);
  EXPECT_THAT(log_, ElementsAre("A@110", "A@120"));
  EXPECT_EQ(clock_.RunningTimers(), 0u);
}

TEST_F(VirtualTimeTest, ReArmingInsideATickChangesThePeriodFromThatTick) {
  // The key-repeat pattern: a long first delay, then a shorter interval.
  RecordingUser key(clock_, "key", log_);
  bool first = true;
  key.onTick = [&] {
    if (!first) return;
    first = false;
    key.Stop();
    key.Start(7);
  };
  key.Start(50);
  clock_.Advance(71);
  EXPECT_THAT(log_, ElementsAre("key@150", "key@157", "key@164", "key@171"));
}

TEST_F(VirtualTimeTest, MoveToStopsShortOfTheTicksDueAtTheTarget) {
  RecordingUser a(clock_, "A", log_);
  a.Start(10);
  clock_.MoveTo(120);
  EXPECT_THAT(log_, ElementsAre("A@110"));
  EXPECT_EQ(clock_.Now(), 120u);
  log_.push_back("event@" + std::to_string(clock_.Now()));
  clock_.AdvanceTo(120);
  EXPECT_THAT(log_, ElementsAre("A@110", "event@120", "A@120"));
  clock_.AdvanceTo(120);  // nothing is delivered twice
  EXPECT_EQ(log_.size(), 3u);
}

TEST_F(VirtualTimeTest, TimeNeverRunsBackwards) {
  RecordingUser a(clock_, "A", log_);
  a.Start(10);
  clock_.AdvanceTo(125);
  clock_.MoveTo(50);
  clock_.AdvanceTo(60);
  EXPECT_EQ(clock_.Now(), 125u);
  clock_.AdvanceTo(130);
  EXPECT_THAT(log_, ElementsAre("A@110", "A@120", "A@130"));
}

TEST_F(VirtualTimeTest, TimeDoesNotMoveInsideATick) {
  RecordingUser a(clock_, "A", log_);
  RecordingUser b(clock_, "B", log_);
  a.onTick = [&] { clock_.Advance(1000); };
  a.Start(10);
  b.Start(15);
  clock_.Advance(15);
  EXPECT_THAT(log_, ElementsAre("A@110", "B@115"));
  EXPECT_EQ(clock_.Now(), 115u);
}

TEST_F(VirtualTimeTest, TickCountIsTheLow32BitsAndWraps) {
  VirtualTimerService clock(0xFFFFFFFFull - 4);
  ScopedTimerService installed(&clock);
  std::vector<std::uint32_t> counts;
  RecordingUser a(clock, "A", log_);
  a.onTick = [&] { counts.push_back(clock.TickCount()); };
  a.Start(3);
  clock.Advance(10);
  EXPECT_THAT(counts, ElementsAre(0xFFFFFFFEu, 1u, 4u));
  EXPECT_EQ(clock.TickCount(), 5u);
  EXPECT_EQ(clock.Now(), 0x100000005ull);
}

TEST_F(VirtualTimeTest, ZeroPeriodAndUnknownIdentifiersAreRefusedHarmlessly) {
  RecordingUser a(clock_, "A", log_);
  EXPECT_EQ(StartTimer(0, &a), 0u);
  EXPECT_EQ(clock_.Start(10, nullptr), 0u);
  a.Start(10);
  StopTimer(0);
  StopTimer(a.id + 1000);
  clock_.Advance(10);
  EXPECT_THAT(log_, ElementsAre("A@110"));
  a.Stop();
  a.Stop();  // twice
  EXPECT_EQ(clock_.RunningTimers(), 0u);
}

TEST_F(VirtualTimeTest, IdentifiersOfRunningTimersAreDistinctAndNonZero) {
  RecordingUser a(clock_, "A", log_);
  std::vector<unsigned> ids;
  for (int i = 0; i < 50; ++i) ids.push_back(StartTimer(10, &a));
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  EXPECT_NE(ids.front(), 0u);
  EXPECT_EQ(clock_.RunningTimers(), 50u);
}

TEST_F(VirtualTimeTest, OneUserMayRunSeveralTimers) {
  RecordingUser a(clock_, "A", log_);
  StartTimer(10, &a);
  StartTimer(15, &a);
  clock_.Advance(30);
  EXPECT_THAT(log_, ElementsAre("A@110", "A@115", "A@120", "A@130", "A@130"));
}

}  // namespace
