// The Win32 adapters of the platform seam, against the system (Wine in the test lane).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/Win32Platform.h"

namespace {

// The value goes to the machine-wide list; where that cannot be written (a standard user's
// HKEY_LOCAL_MACHINE, here a list that cannot be opened) to the user's own list, and it is
// removed from both. Test lists under HKEY_CURRENT_USER stand for the two Run keys.
TEST(Win32StartupEntry, WritesMachineWideOrPerUserAndRemovesFromBoth) {
  const char* kName = "TandrelAdapterTest";
  const seam::RunKeyLocation machine{HKEY_CURRENT_USER, "Software\\TandrelTest\\Machine"},
      locked{HKEY_CURRENT_USER, "Software\\TandrelTest\\Missing\\Run"},
      user{HKEY_CURRENT_USER, "Software\\TandrelTest\\User"};
  for (const auto& location : {machine, user}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(location.root, location.path, &key), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  // The value as stored, with its terminating zero; "none" when there is none of type REG_SZ.
  const auto read = [&](const seam::RunKeyLocation& location) {
    char buffer[1024] = {};
    DWORD size = sizeof(buffer);
    return RegGetValueA(location.root, location.path, kName, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr,
                        buffer, &size) == ERROR_SUCCESS
               ? std::string(buffer, size)
               : std::string("none");
  };
  const std::string command = "C:\\Program Files\\Tandrel\\Tandrel.exe /NoConfigure";

  seam::Win32StartupEntry standardUser(locked, user), administrator(machine, user);
  ASSERT_TRUE(standardUser.Write(kName, command));
  EXPECT_EQ(read(user), command + '\0');
  // Once the machine-wide list can be written, the per-user copy goes: one start, not two.
  ASSERT_TRUE(administrator.Write(kName, "short"));
  EXPECT_EQ(read(machine), std::string("short") + '\0');
  EXPECT_EQ(read(user), "none");
  ASSERT_TRUE(standardUser.Write(kName, command));
  EXPECT_TRUE(administrator.Remove(kName));
  EXPECT_EQ(read(machine), "none");
  EXPECT_EQ(read(user), "none");
  EXPECT_TRUE(administrator.Remove(kName));  // already gone: no error
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TandrelTest");
  // The real lists are HKEY_LOCAL_MACHINE's and HKEY_CURRENT_USER's Run keys.
  seam::Win32StartupEntry real;
  ASSERT_TRUE(real.Write(kName, command));
  EXPECT_EQ(read({HKEY_LOCAL_MACHINE, seam::Win32StartupEntry::kRunKey}), command + '\0');
  EXPECT_TRUE(real.Remove(kName));
}

TEST(Win32Messages, ButtonsAreMappedAndTheClickedOneIsTheAnswer) {
  using seam::MessageAnswer, seam::MessageButtons;
  const struct {
    MessageButtons buttons;
    int click;
    MessageAnswer answer;
    std::vector<int> shown;  // in the order IDOK, IDCANCEL, IDYES, IDNO
  } boxes[] = {{MessageButtons::YesNoCancel, IDYES, MessageAnswer::Yes, {IDCANCEL, IDYES, IDNO}},
               {MessageButtons::YesNo, IDNO, MessageAnswer::No, {IDYES, IDNO}},
               {MessageButtons::OkCancel, IDCANCEL, MessageAnswer::Cancel, {IDOK, IDCANCEL}},
               {MessageButtons::Ok, IDOK, MessageAnswer::Ok, {IDOK}}};
  for (const auto& box : boxes) {
    const std::string caption = "Tandrel test " + std::to_string(box.click);
    // Another thread finds the box once shown (while it is being built its buttons are not
    // settled yet), notes the buttons it shows (some systems hide those it does not offer)
    // and clicks one.
    std::vector<int> shown;
    std::thread clicker([&] {
      HWND window = nullptr;
      for (int i = 0; i < 1000 && !IsWindowVisible(window); ++i, Sleep(10)) {
        window = FindWindowA("#32770", caption.c_str());
      }
      for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        if (IsWindowVisible(GetDlgItem(window, id))) shown.push_back(id);
      }
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(box.click, BN_CLICKED), 0);
    });
    const MessageAnswer answer = seam::Win32Messages().Show(
        "Question from the adapter test", caption, box.buttons, seam::MessageIcon::Question);
    clicker.join();
    EXPECT_EQ(shown, box.shown) << caption;
    EXPECT_EQ(answer, box.answer) << caption;
  }
}

// Low-level hooks in this process see the events sent: they run on the installing thread
// while it pumps messages.
std::vector<std::pair<WPARAM, KBDLLHOOKSTRUCT>> keys;
std::vector<std::pair<WPARAM, MSLLHOOKSTRUCT>> mice;

template <typename Info, auto& list>
LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) list.emplace_back(wParam, *reinterpret_cast<const Info*>(lParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Pumps this thread's messages until `count` events of the list have come, or 3 s passed.
bool WaitFor(const auto& list, size_t count) {
  for (const DWORD start = GetTickCount(); list.size() < count;) {
    if (GetTickCount() - start >= 3000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
  }
  return true;
}

TEST(Win32Input, EventsArriveInjectedWithKeyScanCodeDirectionAndPosition) {
  const HINSTANCE module = GetModuleHandleA(nullptr);
  const HHOOK hooks[] = {
      SetWindowsHookExA(WH_KEYBOARD_LL, Record<KBDLLHOOKSTRUCT, keys>, module, 0),
      SetWindowsHookExA(WH_MOUSE_LL, Record<MSLLHOOKSTRUCT, mice>, module, 0)};
  ASSERT_TRUE(hooks[0] && hooks[1]);
  seam::Win32Input input;
  const struct {
    WORD vk, scan;
    DWORD flags;
    WPARAM message;
    DWORD seen;
  } events[] = {
      {VK_F13, 0x64, 0, WM_KEYDOWN, 0},
      {VK_F13, 0x64, seam::kKeyUp, WM_KEYUP, LLKHF_UP},
      {VK_RIGHT, 0x4D, seam::kKeyExtended, WM_KEYDOWN, LLKHF_EXTENDED},
      {VK_RIGHT, 0x4D, seam::kKeyExtended | seam::kKeyUp, WM_KEYUP, LLKHF_EXTENDED | LLKHF_UP}};
  for (const auto& e : events) input.KeyboardEvent(e.vk, e.scan, e.flags);
  ASSERT_TRUE(WaitFor(keys, 4));
  for (size_t i = 0; i < std::size(events); ++i) {
    const auto& [message, info] = keys[i];
    EXPECT_TRUE(message == events[i].message && info.vkCode == events[i].vk &&
                info.scanCode == events[i].scan)
        << i;
    EXPECT_EQ(info.flags & (LLKHF_INJECTED | LLKHF_UP | LLKHF_EXTENDED),
              LLKHF_INJECTED | events[i].seen)
        << i;
  }

  input.MouseEvent(seam::kMouseRightDown, 0, 0, 0);
  input.MouseEvent(seam::kMouseRightUp, 0, 0, 0);
  input.MouseEvent(seam::kMouseWheel, 0, 0, -120);
  input.MouseEvent(seam::kMouseMove | seam::kMouseAbsolute, 32768, 32768, 0);
  ASSERT_TRUE(WaitFor(mice, 4));
  const WPARAM messages[] = {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL, WM_MOUSEMOVE};
  for (size_t i = 0; i < std::size(messages); ++i) {
    EXPECT_EQ(mice[i].first, messages[i]) << i;
    EXPECT_NE(mice[i].second.flags & LLMHF_INJECTED, 0u) << i;
  }
  EXPECT_EQ(static_cast<short>(HIWORD(mice[2].second.mouseData)), -120);
  seam::Win32Desktop desktop;
  int x = -1, y = -1;
  ASSERT_TRUE(desktop.GetCursorPos(x, y));
  EXPECT_LE(std::abs(x - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
  EXPECT_LE(std::abs(y - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
  // Small relative steps; the system may scale them, but the direction holds.
  input.MouseEvent(seam::kMouseMove, 40, -30, 0);
  ASSERT_TRUE(WaitFor(mice, 5));
  int x2 = -1, y2 = -1;
  ASSERT_TRUE(desktop.GetCursorPos(x2, y2));
  EXPECT_TRUE(x2 > x && y2 < y) << x2 << " " << y2;
  for (HHOOK hook : hooks) UnhookWindowsHookEx(hook);
}

}  // namespace
