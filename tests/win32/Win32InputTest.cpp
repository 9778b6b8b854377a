#include <gtest/gtest.h>

#include <cstdlib>

#include "LowLevelHooks.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Input.h"

namespace {

class Win32InputTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hooks.installed()); }

  // Waits for `count` keyboard events (or mouse events) to reach the hooks.
  bool WaitKeys(std::size_t count) {
    return PumpUntil([&] { return hooks.keys.size() >= count; });
  }
  bool WaitMice(std::size_t count) {
    return PumpUntil([&] { return hooks.mice.size() >= count; });
  }

  LowLevelHooks hooks;
  seam::Win32Input input;
};

TEST_F(Win32InputTest, KeyEventsReachTheHookAsInjectedWithKeyScanAndDirection) {
  input.KeyboardEvent(VK_F13, 0x64, 0);
  input.KeyboardEvent(VK_F13, 0x64, seam::kKeyUp);
  ASSERT_TRUE(WaitKeys(2));
  const SeenKey& down = hooks.keys[0];
  EXPECT_EQ(down.message, WPARAM{WM_KEYDOWN});
  EXPECT_EQ(down.info.vkCode, DWORD{VK_F13});
  EXPECT_EQ(down.info.scanCode, 0x64u);
  EXPECT_NE(down.info.flags & LLKHF_INJECTED, 0u);
  EXPECT_EQ(down.info.flags & LLKHF_UP, 0u);
  const SeenKey& up = hooks.keys[1];
  EXPECT_EQ(up.message, WPARAM{WM_KEYUP});
  EXPECT_EQ(up.info.vkCode, DWORD{VK_F13});
  EXPECT_NE(up.info.flags & LLKHF_INJECTED, 0u);
  EXPECT_NE(up.info.flags & LLKHF_UP, 0u);
}

TEST_F(Win32InputTest, ExtendedFlagReachesTheHook) {
  input.KeyboardEvent(VK_RIGHT, 0x4D, seam::kKeyExtended);
  input.KeyboardEvent(VK_RIGHT, 0x4D, seam::kKeyExtended | seam::kKeyUp);
  ASSERT_TRUE(WaitKeys(2));
  EXPECT_EQ(hooks.keys[0].info.vkCode, DWORD{VK_RIGHT});
  EXPECT_NE(hooks.keys[0].info.flags & LLKHF_EXTENDED, 0u);
  EXPECT_NE(hooks.keys[1].info.flags & LLKHF_EXTENDED, 0u);
  EXPECT_NE(hooks.keys[1].info.flags & LLKHF_UP, 0u);
}

TEST_F(Win32InputTest, ButtonAndWheelEventsReachTheHookAsInjected) {
  input.MouseEvent(seam::kMouseRightDown, 0, 0, 0);
  input.MouseEvent(seam::kMouseRightUp, 0, 0, 0);
  input.MouseEvent(seam::kMouseWheel, 0, 0, -120);
  ASSERT_TRUE(WaitMice(3));
  EXPECT_EQ(hooks.mice[0].message, WPARAM{WM_RBUTTONDOWN});
  EXPECT_EQ(hooks.mice[1].message, WPARAM{WM_RBUTTONUP});
  EXPECT_EQ(hooks.mice[2].message, WPARAM{WM_MOUSEWHEEL});
  EXPECT_EQ(static_cast<short>(HIWORD(hooks.mice[2].info.mouseData)), -120);
  for (const SeenMouse& m : hooks.mice) EXPECT_NE(m.info.flags & LLMHF_INJECTED, 0u);
}

TEST_F(Win32InputTest, AbsoluteAndRelativeMovesPlaceTheCursor) {
  seam::Win32Desktop desktop;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  input.MouseEvent(seam::kMouseMove | seam::kMouseAbsolute, 32768, 32768, 0);
  ASSERT_TRUE(WaitMice(1));
  EXPECT_EQ(hooks.mice[0].message, WPARAM{WM_MOUSEMOVE});
  EXPECT_NE(hooks.mice[0].info.flags & LLMHF_INJECTED, 0u);
  int x = -1, y = -1;
  ASSERT_TRUE(desktop.GetCursorPos(x, y));
  EXPECT_LE(std::abs(x - width / 2), 1);
  EXPECT_LE(std::abs(y - height / 2), 1);

  // Small relative steps; the system may scale them, but the direction holds.
  input.MouseEvent(seam::kMouseMove, 40, -30, 0);
  ASSERT_TRUE(WaitMice(2));
  int x2 = -1, y2 = -1;
  ASSERT_TRUE(desktop.GetCursorPos(x2, y2));
  EXPECT_GT(x2, x);
  EXPECT_LT(y2, y);
}

}  // namespace
