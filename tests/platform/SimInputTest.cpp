// Recorded keyboard and mouse events: their times, the keys held down, the cursor they move.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "support/VirtualWorld.h"

namespace {

using seam::InputRecord;
using Kind = InputRecord::Kind;

class SimInputTest : public testing::Test {
 protected:
  std::pair<int, int> Cursor() {
    int x = -1, y = -1;
    EXPECT_TRUE(desktop.GetCursorPos(x, y));
    return {x, y};
  }

  VirtualWorld world{100};
  seam::SimInput& input = world.input();
  seam::SimDesktop& desktop = world.desktop();
};

TEST_F(SimInputTest, RecordsEveryEventWithTheTickCountAndTheKeysHeldDown) {
  input.KeyboardEvent(0x41, 0x1E, 0);
  input.KeyboardEvent(0x41, 0x1E, 0);  // a repeat counts once
  input.KeyboardEvent(0x25, 0x4B, seam::kKeyExtended);
  world.MoveTo((1ull << 32) + 5);  // wraps as the system's tick count does
  input.MouseEvent(seam::kMouseLeftDown | seam::kMouseMiddleDown, 3, -4, 0);
  EXPECT_EQ(input.TakeLog().back(),
            (InputRecord{.time = 5,
                         .kind = Kind::Mouse,
                         .flags = seam::kMouseLeftDown | seam::kMouseMiddleDown,
                         .dx = 3,
                         .dy = -4}));
  EXPECT_EQ(input.KeysDown(), (std::vector<std::uint8_t>{0x01, 0x04, 0x25, 0x41}));
  input.KeyboardEvent(0x41, 0x1E, seam::kKeyUp);
  input.KeyboardEvent(0x25, 0x4B, seam::kKeyUp | seam::kKeyExtended);
  input.MouseEvent(seam::kMouseLeftUp, 0, 0, 0);
  EXPECT_EQ(input.KeysDown(), (std::vector<std::uint8_t>{0x04}));
  input.MouseEvent(seam::kMouseMiddleUp, 0, 0, 0);
  input.MouseEvent(seam::kMouseRightDown | seam::kMouseRightUp, 0, 0, 0);  // a click
  EXPECT_TRUE(input.AllReleased());
  EXPECT_EQ(input.Count(), 5u);
}

TEST_F(SimInputTest, MovesTheCursorRelativelyOrAbsolutelyAndKeepsItOnTheScreen) {
  // Absolute moves spread 0..65535 over the screen; buttons act at the new position.
  const auto absolute = seam::kMouseMove | seam::kMouseAbsolute;
  const struct {
    std::uint32_t flags;
    int dx, dy, x, y;
  } steps[] = {{0, 0, 0, 960, 540},  // starts at the centre
               {seam::kMouseMove, 2, -3, 962, 537},
               {seam::kMouseWheel, 500, 500, 962, 537},  // no move flag: no move
               {seam::kMouseMove, -5000, -5000, 0, 0},
               {seam::kMouseMove, 1919, 1079, 1919, 1079},
               {seam::kMouseMove, INT32_MIN, INT32_MAX, 0, 1079},  // no wrap-around
               {absolute, 32768, 32768, 960, 540},
               {absolute, 70000, -4, 1919, 0},
               {absolute | seam::kMouseLeftDown, 0, 0, 0, 0}};
  for (const auto& s : steps) {
    input.MouseEvent(s.flags, s.dx, s.dy, 0);
    EXPECT_EQ(Cursor(), std::make_pair(s.x, s.y)) << s.dx << "," << s.dy;
  }
  // The mouse action encodes pixel p as round(p / W * 65535): every pixel comes back.
  for (int p = 0; p < 1920; ++p) {
    input.MouseEvent(absolute, static_cast<int>(p / 1920.0 * 65535 + 0.5), 0, 0);
    ASSERT_EQ(Cursor().first, p);
  }
  desktop.SetScreenSize(0, -5);  // at least one pixel
  EXPECT_EQ(desktop.FullScreenWidth() + desktop.FullScreenHeight(), 2);
  EXPECT_EQ(Cursor(), std::make_pair(0, 0));
}

}  // namespace
