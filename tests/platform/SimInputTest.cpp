#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/sim/SimPlatform.h"

namespace {

using seam::InputRecord;

class SimInputTest : public testing::Test {
 protected:
  seam::SimPlatform platform;
  seam::ScopedServices scope{platform.services()};
  seam::SimInput& input = platform.input();
  seam::SimDesktop& desktop = platform.desktop();

  std::pair<int, int> Cursor() {
    int x = -1, y = -1;
    EXPECT_TRUE(desktop.GetCursorPos(x, y));
    return {x, y};
  }
};

TEST_F(SimInputTest, RecordsEveryEventWithTheTimeOfTheInstalledClock) {
  platform.clock().Set(100);
  input.KeyboardEvent(0x41, 0x1E, 0);
  platform.clock().Advance(28);
  input.KeyboardEvent(0x41, 0x1E, seam::kKeyUp);
  input.MouseEvent(seam::kMouseWheel, 0, 0, -120);

  const auto log = input.Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].time, 100u);
  EXPECT_TRUE(log[0].IsKeyDown());
  EXPECT_EQ(log[0].vk, 0x41);
  EXPECT_EQ(log[0].scan, 0x1E);
  EXPECT_EQ(log[1].time, 128u);
  EXPECT_TRUE(log[1].IsKeyUp());
  EXPECT_TRUE(log[2].IsMouse());
  EXPECT_EQ(log[2].flags, seam::kMouseWheel);
  EXPECT_EQ(log[2].data, -120);
}

TEST_F(SimInputTest, AReplacedClockIsReadOnceInstalled) {
  seam::SimClock other(1u << 20);
  platform.UseClock(&other);
  seam::ScopedServices inner(platform.services());
  input.KeyboardEvent(0x20, 0x39, 0);
  EXPECT_EQ(input.Log().back().time, 1u << 20);
}

TEST_F(SimInputTest, TimesWrapAsTheSystemTickCountDoes) {
  platform.clock().Set((1ull << 32) + 5);
  input.KeyboardEvent(0x20, 0x39, 0);
  EXPECT_EQ(input.Log().back().time, 5u);
}

TEST_F(SimInputTest, TakeLogEmptiesTheLogButKeepsTheKeysDown) {
  input.KeyboardEvent(0x10, 0x2A, 0);
  EXPECT_EQ(input.TakeLog().size(), 1u);
  EXPECT_EQ(input.Count(), 0u);
  EXPECT_FALSE(input.AllReleased());
  input.KeyboardEvent(0x10, 0x2A, seam::kKeyUp);
  EXPECT_TRUE(input.AllReleased());
  input.ClearLog();
  EXPECT_TRUE(input.Log().empty());
}

TEST_F(SimInputTest, TracksKeysAndMouseButtonsHeldDown) {
  EXPECT_TRUE(input.AllReleased());
  input.KeyboardEvent(0x41, 0x1E, 0);
  input.KeyboardEvent(0x41, 0x1E, 0);  // a repeat counts once
  input.KeyboardEvent(0x25, 0x4B, seam::kKeyExtended);
  input.MouseEvent(seam::kMouseLeftDown | seam::kMouseMiddleDown, 0, 0, 0);
  EXPECT_EQ(input.KeysDown(), (std::vector<std::uint8_t>{0x01, 0x04, 0x25, 0x41}));

  input.KeyboardEvent(0x41, 0x1E, seam::kKeyUp);
  input.KeyboardEvent(0x25, 0x4B, seam::kKeyUp | seam::kKeyExtended);
  input.MouseEvent(seam::kMouseLeftUp, 0, 0, 0);
  EXPECT_EQ(input.KeysDown(), (std::vector<std::uint8_t>{0x04}));
  EXPECT_FALSE(input.AllReleased());
  input.MouseEvent(seam::kMouseMiddleUp, 0, 0, 0);
  input.MouseEvent(seam::kMouseRightDown | seam::kMouseRightUp, 0, 0, 0);  // a click
  EXPECT_TRUE(input.AllReleased());
}

TEST_F(SimInputTest, CursorStartsAtTheCentreAndRelativeMovesAddUp) {
  EXPECT_EQ(Cursor(), std::make_pair(960, 540));
  input.MouseEvent(seam::kMouseMove, 2, -3, 0);
  input.MouseEvent(seam::kMouseMove, 0, 0, 0);
  EXPECT_EQ(Cursor(), std::make_pair(962, 537));
  input.MouseEvent(seam::kMouseWheel, 500, 500, 120);  // no move flag: no move
  EXPECT_EQ(Cursor(), std::make_pair(962, 537));
}

TEST_F(SimInputTest, CursorStaysOnTheScreen) {
  input.MouseEvent(seam::kMouseMove, -5000, -5000, 0);
  EXPECT_EQ(Cursor(), std::make_pair(0, 0));
  input.MouseEvent(seam::kMouseMove, 1919, 1079, 0);
  EXPECT_EQ(Cursor(), std::make_pair(1919, 1079));
  input.MouseEvent(seam::kMouseMove, 1, 1, 0);
  EXPECT_EQ(Cursor(), std::make_pair(1919, 1079));
  input.MouseEvent(seam::kMouseMove, INT32_MIN, INT32_MAX, 0);  // no wrap-around
  EXPECT_EQ(Cursor(), std::make_pair(0, 1079));
  desktop.SetScreenSize(800, 600);
  EXPECT_EQ(Cursor(), std::make_pair(0, 599));
  desktop.SetCursorPos(5000, -2);
  EXPECT_EQ(Cursor(), std::make_pair(799, 0));
}

TEST_F(SimInputTest, AbsoluteMovesSpread0To65535OverTheScreen) {
  const auto absolute = seam::kMouseMove | seam::kMouseAbsolute;
  input.MouseEvent(absolute, 0, 0, 0);
  EXPECT_EQ(Cursor(), std::make_pair(0, 0));
  input.MouseEvent(absolute, 65535, 65535, 0);
  EXPECT_EQ(Cursor(), std::make_pair(1919, 1079));
  input.MouseEvent(absolute, 32768, 32768, 0);
  EXPECT_EQ(Cursor(), std::make_pair(960, 540));
  input.MouseEvent(absolute, 70000, -4, 0);
  EXPECT_EQ(Cursor(), std::make_pair(1919, 0));
  // The mouse action encodes pixel p as round(p / W * 65535): every pixel comes back.
  for (int p = 0; p < 1920; ++p) {
    const int encoded = static_cast<int>(p / 1920.0 * 65535 + 0.5);
    input.MouseEvent(absolute, encoded, 0, 0);
    ASSERT_EQ(Cursor().first, p);
  }
}

TEST_F(SimInputTest, ButtonsOfAnAbsoluteEventActAtTheNewPosition) {
  input.MouseEvent(seam::kMouseMove | seam::kMouseAbsolute | seam::kMouseLeftDown, 0, 0, 0);
  EXPECT_EQ(Cursor(), std::make_pair(0, 0));
  EXPECT_EQ(input.KeysDown(), (std::vector<std::uint8_t>{0x01}));
}

TEST_F(SimInputTest, EventsFromSeveralThreadsAreAllRecorded) {
  constexpr int kThreads = 4, kEach = 500;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t] {
      for (int i = 0; i < kEach; ++i) {
        input.KeyboardEvent(static_cast<std::uint8_t>(0x41 + t), 0, 0);
        input.MouseEvent(seam::kMouseMove, 1, 0, 0);
        input.KeyboardEvent(static_cast<std::uint8_t>(0x41 + t), 0, seam::kKeyUp);
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(input.Count(), std::size_t{kThreads * kEach * 3});
  EXPECT_TRUE(input.AllReleased());
  EXPECT_EQ(Cursor().first, 1919);  // 2000 pixels to the right, clamped
}

}  // namespace
