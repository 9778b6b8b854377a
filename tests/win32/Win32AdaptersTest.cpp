// The Win32 adapters of the platform seam, against the system (Wine in the test lane).
#include <gtest/gtest.h>
#include <windows.h>

#include <xinput.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "support/PadPromises.h"
#include "support/TempFolder.h"

namespace {

using namespace std::string_literals;

// The value goes to the user's own list, quoted; a machine-wide value of that name that starts
// this program is removed too, another program's is left. Test lists under HKEY_CURRENT_USER
// stand for the two Run keys; the real ones are HKEY_CURRENT_USER's and HKEY_LOCAL_MACHINE's.
TEST(Win32StartupEntry, WritesPerUserAndCleansThisProgramsMachineWideValue) {
  const char* kName = "TandrelAdapterTest";
  const seam::RunKeyLocation machine{HKEY_CURRENT_USER, "Software\\TandrelTest\\Machine"},
      user{HKEY_CURRENT_USER, "Software\\TandrelTest\\User"};
  for (const auto& list : {machine, user}) RegSetKeyValueA(list.root, list.path, "", REG_SZ, "", 1);
  // The value as stored, with its terminating zero; "none" when there is none of type REG_SZ.
  const auto read = [&](const seam::RunKeyLocation& list) {
    char buffer[1024] = {};
    DWORD size = sizeof(buffer);
    return RegGetValueA(list.root, list.path, kName, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, buffer,
                        &size) == ERROR_SUCCESS
               ? std::string(buffer, size)
               : "none"s;
  };
  const auto setMachine = [&](const char* value) {
    RegSetKeyValueA(machine.root, machine.path, kName, REG_SZ, value,
                    static_cast<DWORD>(std::strlen(value) + 1));
  };
  const std::string program = "C:\\Program Files\\Tandrel\\Tandrel.exe";
  const std::string command = "\"" + program + "\" /NoConfigure", stored = command + '\0';
  seam::Win32StartupEntry entry(user, machine, program);
  // An older version's machine-wide value (unquoted) goes when the per-user one is written.
  setMachine("C:\\PROGRAM FILES\\Tandrel\\Tandrel.exe /NoConfigure");
  ASSERT_TRUE(entry.Write(kName, command));
  EXPECT_EQ(read(machine) + "|" + read(user), "none|" + stored);
  // Another program's value of that name stays; removing twice is no error.
  setMachine("C:\\Other\\Tool.exe");
  EXPECT_TRUE(entry.Remove(kName));
  EXPECT_TRUE(entry.Remove(kName));
  EXPECT_EQ(read(machine) + "|" + read(user), "C:\\Other\\Tool.exe\0"s + "|none");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TandrelTest");
  // The system's own lists, per user.
  seam::Win32StartupEntry system;
  ASSERT_TRUE(system.Write(kName, command));
  EXPECT_EQ(read({HKEY_CURRENT_USER, seam::Win32StartupEntry::kRunKey}), stored);
  EXPECT_TRUE(system.Remove(kName));
}

// The box shows the buttons asked for (some systems hide those it does not offer) and answers
// with the one clicked.
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
    std::vector<int> shown;
    std::thread user([&] {  // once the box is shown: while it is built its buttons are unsettled
      HWND window = nullptr;
      for (int i = 0; i < 1000 && !IsWindowVisible(window); ++i, Sleep(10)) {
        window = FindWindowA("#32770", "Tandrel test");
      }
      for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        if (IsWindowVisible(GetDlgItem(window, id))) shown.push_back(id);
      }
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(box.click, BN_CLICKED), 0);
    });
    EXPECT_EQ(seam::Win32Messages().Show("Question", "Tandrel test", box.buttons,
                                         seam::MessageIcon::Question),
              box.answer);
    user.join();
    EXPECT_EQ(shown, box.shown);
  }
}

// What low-level hooks in this process see of the events sent (on the installing thread, while
// it pumps messages): message, key or wheel turn, scan code, and the flags telling injected,
// released and extended keys.
using Seen = std::tuple<WPARAM, int, DWORD, DWORD>;
std::vector<Seen> seen;

LRESULT CALLBACK SeeKey(int code, WPARAM message, LPARAM info) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(info);
  const DWORD flags = LLKHF_INJECTED | LLKHF_UP | LLKHF_EXTENDED;
  if (code == HC_ACTION) seen.emplace_back(message, key->vkCode, key->scanCode, key->flags & flags);
  return CallNextHookEx(nullptr, code, message, info);
}

LRESULT CALLBACK SeeMouse(int code, WPARAM message, LPARAM info) {
  const auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(info);
  const auto wheel = [&] { return static_cast<short>(HIWORD(mouse->mouseData)); };
  if (code == HC_ACTION) seen.emplace_back(message, wheel(), 0, mouse->flags & LLMHF_INJECTED);
  return CallNextHookEx(nullptr, code, message, info);
}

TEST(Win32Input, EventsArriveInjectedWithKeyScanCodeDirectionAndPosition) {
  const HHOOK hooks[] = {SetWindowsHookExA(WH_KEYBOARD_LL, SeeKey, GetModuleHandleA(nullptr), 0),
                         SetWindowsHookExA(WH_MOUSE_LL, SeeMouse, GetModuleHandleA(nullptr), 0)};
  ASSERT_TRUE(hooks[0] && hooks[1]);
  // Pumps this thread's messages until `count` events have come, or 3 s passed; then the cursor.
  const auto cursorAfter = [](size_t count) {
    for (const DWORD start = GetTickCount();
         seen.size() < count && GetTickCount() - start < 3000;) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
    }
    POINT cursor = {};
    GetCursorPos(&cursor);
    return cursor;
  };
  seam::Win32Input input;
  input.KeyboardEvent(VK_F13, 0x64, 0);
  input.KeyboardEvent(VK_RIGHT, 0x4D, seam::kKeyExtended | seam::kKeyUp);
  input.MouseEvent(seam::kMouseRightDown, 0, 0, 0);
  input.MouseEvent(seam::kMouseRightUp, 0, 0, 0);
  input.MouseEvent(seam::kMouseWheel, 0, 0, -120);
  input.MouseEvent(seam::kMouseMove | seam::kMouseAbsolute, 32768, 32768, 0);
  const POINT centre = cursorAfter(6);
  const DWORD in = LLKHF_INJECTED, mouse = LLMHF_INJECTED;
  EXPECT_EQ(seen, (std::vector<Seen>{{WM_KEYDOWN, VK_F13, 0x64, in},
                                     {WM_KEYUP, VK_RIGHT, 0x4D, in | LLKHF_EXTENDED | LLKHF_UP},
                                     {WM_RBUTTONDOWN, 0, 0, mouse},
                                     {WM_RBUTTONUP, 0, 0, mouse},
                                     {WM_MOUSEWHEEL, -120, 0, mouse},
                                     {WM_MOUSEMOVE, 0, 0, mouse}}));
  EXPECT_LE(std::abs(centre.x - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
  EXPECT_LE(std::abs(centre.y - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
  // Small relative steps; the system may scale them, but the direction holds.
  input.MouseEvent(seam::kMouseMove, 40, -30, 0);
  const POINT moved = cursorAfter(7);
  EXPECT_TRUE(moved.x > centre.x && moved.y < centre.y) << moved.x << " " << moved.y;
  for (HHOOK hook : hooks) UnhookWindowsHookEx(hook);
}

// Pads through XInput (the stand-in xinput1_4.dll, which reads its script beside it) keep the
// default profile's promises: the table that Linux's adapter is held to as well. The pad is
// moved in XInput's own terms: its button bits, triggers 0..255, sticks with up positive.
TEST(Win32Joysticks, PadsThroughXInputKeepTheDefaultProfilesPromises) {
  TempFolder folder;
  const std::string library = folder.File("xinput1_4.dll");
  ASSERT_TRUE(CopyFileA(TANDREL_FAKE_XINPUT, library.c_str(), FALSE));
  const std::pair<seam::PadButton, WORD> kBits[] = {
      {seam::kPadA, XINPUT_GAMEPAD_A},
      {seam::kPadB, XINPUT_GAMEPAD_B},
      {seam::kPadX, XINPUT_GAMEPAD_X},
      {seam::kPadY, XINPUT_GAMEPAD_Y},
      {seam::kPadLeftShoulder, XINPUT_GAMEPAD_LEFT_SHOULDER},
      {seam::kPadRightShoulder, XINPUT_GAMEPAD_RIGHT_SHOULDER},
      {seam::kPadBack, XINPUT_GAMEPAD_BACK},
      {seam::kPadStart, XINPUT_GAMEPAD_START},
      {seam::kPadLeftStick, XINPUT_GAMEPAD_LEFT_THUMB},
      {seam::kPadRightStick, XINPUT_GAMEPAD_RIGHT_THUMB}};
  const auto hands = [&](const seam::PadReading& r) {
    WORD bits = (r.up ? XINPUT_GAMEPAD_DPAD_UP : 0) | (r.down ? XINPUT_GAMEPAD_DPAD_DOWN : 0) |
                (r.left ? XINPUT_GAMEPAD_DPAD_LEFT : 0) | (r.right ? XINPUT_GAMEPAD_DPAD_RIGHT : 0);
    for (const auto& [button, bit] : kBits) bits |= (r.buttons >> button & 1) != 0 ? bit : 0;
    const auto up = [](std::int32_t down) { return std::to_string(std::min(-down, 32767)); };
    std::ofstream(folder.File("controllers.txt"))
        << "- xinput=0 pad=" << bits << " lt=" << r.leftTrigger * 255 / seam::kTriggerFull
        << " rt=" << r.rightTrigger * 255 / seam::kTriggerFull << " lx=" << r.leftX
        << " ly=" << up(r.leftY) << " rx=" << r.rightX << " ry=" << up(r.rightY) << "\n";
  };
  seam::Win32Joysticks joysticks({std::filesystem::path(library).wstring()});
  EXPECT_EQ(BrokenPadPromises(TANDREL_SOURCE_DIR "/data", joysticks, hands),
            std::vector<std::string>{});
}

}  // namespace
