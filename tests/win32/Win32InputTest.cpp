// Synthetic events sent through the adapter, as low-level keyboard and mouse hooks installed in
// the test process see them: with the injected flag, the key, scan code and direction given.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Input.h"

namespace {

// The hook procedures run on the installing thread while it pumps messages, so the lists
// need no lock. One instance at a time.
class LowLevelHooks {
 public:
  LowLevelHooks() {
    active_ = this;
    const HINSTANCE module = GetModuleHandleA(nullptr);
    keyboard_ = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, module, 0);
    mouse_ = SetWindowsHookExA(WH_MOUSE_LL, MouseProc, module, 0);
  }
  ~LowLevelHooks() {
    if (keyboard_ != nullptr) UnhookWindowsHookEx(keyboard_);
    if (mouse_ != nullptr) UnhookWindowsHookEx(mouse_);
    active_ = nullptr;
  }
  LowLevelHooks(const LowLevelHooks&) = delete;
  LowLevelHooks& operator=(const LowLevelHooks&) = delete;

  bool installed() const { return keyboard_ != nullptr && mouse_ != nullptr; }

  std::vector<std::pair<WPARAM, KBDLLHOOKSTRUCT>> keys;
  std::vector<std::pair<WPARAM, MSLLHOOKSTRUCT>> mice;

 private:
  static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && active_ != nullptr) {
      active_->keys.emplace_back(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && active_ != nullptr) {
      active_->mice.emplace_back(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline LowLevelHooks* active_ = nullptr;
  HHOOK keyboard_ = nullptr;
  HHOOK mouse_ = nullptr;
};

class Win32InputTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hooks.installed()); }

  // Pumps this thread's messages until `count` events of the list have come, or 3 s passed.
  template <typename List>
  bool WaitFor(const List& list, std::size_t count) {
    const DWORD start = GetTickCount(), timeoutMs = 3000;
    while (list.size() < count) {
      const DWORD elapsed = GetTickCount() - start;
      if (elapsed >= timeoutMs) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    return true;
  }

  LowLevelHooks hooks;
  seam::Win32Input input;
};

TEST_F(Win32InputTest, KeyEventsArriveInjectedWithKeyScanDirectionAndExtendedFlag) {
  input.KeyboardEvent(VK_F13, 0x64, 0);
  input.KeyboardEvent(VK_F13, 0x64, seam::kKeyUp);
  input.KeyboardEvent(VK_RIGHT, 0x4D, seam::kKeyExtended);
  input.KeyboardEvent(VK_RIGHT, 0x4D, seam::kKeyExtended | seam::kKeyUp);
  ASSERT_TRUE(WaitFor(hooks.keys, 4));
  const struct {
    WPARAM message;
    DWORD vk, flags;
  } expected[] = {{WM_KEYDOWN, VK_F13, 0},
                  {WM_KEYUP, VK_F13, LLKHF_UP},
                  {WM_KEYDOWN, VK_RIGHT, LLKHF_EXTENDED},
                  {WM_KEYUP, VK_RIGHT, LLKHF_EXTENDED | LLKHF_UP}};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const auto& [message, info] = hooks.keys[i];
    EXPECT_EQ(message, expected[i].message);
    EXPECT_EQ(info.vkCode, expected[i].vk);
    EXPECT_EQ(info.flags & (LLKHF_INJECTED | LLKHF_UP | LLKHF_EXTENDED),
              LLKHF_INJECTED | expected[i].flags);
  }
  EXPECT_EQ(hooks.keys[0].second.scanCode, 0x64u);
}

TEST_F(Win32InputTest, MouseEventsArriveInjectedAndPlaceTheCursor) {
  input.MouseEvent(seam::kMouseRightDown, 0, 0, 0);
  input.MouseEvent(seam::kMouseRightUp, 0, 0, 0);
  input.MouseEvent(seam::kMouseWheel, 0, 0, -120);
  input.MouseEvent(seam::kMouseMove | seam::kMouseAbsolute, 32768, 32768, 0);
  ASSERT_TRUE(WaitFor(hooks.mice, 4));
  const WPARAM messages[] = {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL, WM_MOUSEMOVE};
  for (std::size_t i = 0; i < std::size(messages); ++i) {
    EXPECT_EQ(hooks.mice[i].first, messages[i]) << i;
    EXPECT_NE(hooks.mice[i].second.flags & LLMHF_INJECTED, 0u) << i;
  }
  EXPECT_EQ(static_cast<short>(HIWORD(hooks.mice[2].second.mouseData)), -120);

  seam::Win32Desktop desktop;
  int x = -1, y = -1;
  ASSERT_TRUE(desktop.GetCursorPos(x, y));
  EXPECT_LE(std::abs(x - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
  EXPECT_LE(std::abs(y - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
  // Small relative steps; the system may scale them, but the direction holds.
  input.MouseEvent(seam::kMouseMove, 40, -30, 0);
  ASSERT_TRUE(WaitFor(hooks.mice, 5));
  int x2 = -1, y2 = -1;
  ASSERT_TRUE(desktop.GetCursorPos(x2, y2));
  EXPECT_GT(x2, x);
  EXPECT_LT(y2, y);
}

}  // namespace
