// The Win32 adapters of the platform seam, against the system (Wine in the test lane).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/sim/SimKeyboardLayout.h"
#include "platform/win32/ScopedTimerResolution.h"
#include "platform/win32/Win32Platform.h"

namespace {

TEST(Win32Joysticks, AbsentIdsAreReportedAbsentAndLeaveRecordsUntouched) {
  seam::Win32Joysticks joysticks;
  for (int id : {15, 16, -1}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(joysticks.IsPresent(id));
    seam::JoystickState state;
    state.xPos = 1234, state.buttons = 0x5A, state.pov = 18000;
    EXPECT_FALSE(joysticks.GetState(id, state));
    EXPECT_EQ(state.xPos, 1234u);
    EXPECT_EQ(state.buttons, 0x5Au);
    EXPECT_EQ(state.pov, 18000u);
    seam::JoystickCaps caps;
    caps.numButtons = 99, caps.productName[0] = 'q';
    EXPECT_FALSE(joysticks.GetCaps(id, caps));
    EXPECT_EQ(caps.numButtons, 99u);
    EXPECT_EQ(caps.productName[0], 'q');
  }
}

TEST(Win32KeyboardLayout, AgreesWithTheSimulatedUsLayoutOnCommonKeys) {
  seam::Win32KeyboardLayout real;
  seam::SimKeyboardLayout sim;
  // Wine derives its layout from the X server's key map, which differs from the system's
  // table on the keypad keys, F13 and above and a few rare keys; these agree.
  std::vector<unsigned> keys = {
      VK_BACK,       VK_TAB,   VK_RETURN, VK_SHIFT,  VK_CONTROL,  VK_MENU,      VK_ESCAPE,
      VK_SPACE,      VK_PRIOR, VK_NEXT,   VK_END,    VK_HOME,     VK_LEFT,      VK_UP,
      VK_RIGHT,      VK_DOWN,  VK_INSERT, VK_DELETE, VK_LSHIFT,   VK_RSHIFT,    VK_LCONTROL,
      VK_RCONTROL,   VK_LMENU, VK_RMENU,  VK_OEM_1,  VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS,
      VK_OEM_PERIOD, VK_OEM_2, VK_OEM_3,  VK_OEM_4,  VK_OEM_5,    VK_OEM_6,     VK_OEM_7};
  for (unsigned k = 'A'; k <= 'Z'; ++k) keys.push_back(k);
  for (unsigned k = '0'; k <= '9'; ++k) keys.push_back(k);
  for (unsigned k = VK_F1; k <= VK_F12; ++k) keys.push_back(k);
  for (unsigned vk : keys) {
    for (unsigned type : {seam::kMapVkToScan, seam::kMapVkToChar}) {
      EXPECT_EQ(real.MapVirtualKey(vk, type), sim.MapVirtualKey(vk, type)) << vk << " " << type;
    }
  }
  for (char c : std::string("azAZ09!@ \r\t\b;:'\",./?-_=+[]{}\\|`~")) {
    EXPECT_EQ(real.VkKeyScan(c), sim.VkKeyScan(c)) << c;
  }
}

TEST(Win32Platform, ServicesReadTheSystem) {
  seam::Win32Platform platform;
  seam::ScopedServices scope(platform.services());
  EXPECT_NE(dynamic_cast<seam::Win32Input*>(&seam::Input()), nullptr);
  EXPECT_NE(dynamic_cast<seam::Win32Joysticks*>(&seam::Joysticks()), nullptr);
  EXPECT_NE(dynamic_cast<seam::Win32Messages*>(&seam::Messages()), nullptr);
  EXPECT_NE(dynamic_cast<seam::Win32KeyboardLayout*>(&seam::KeyboardLayout()), nullptr);
  EXPECT_NE(dynamic_cast<seam::Win32StartupEntry*>(&seam::StartupEntry()), nullptr);
  // Keyboard settings in their ranges. The client area of a maximised window: Wine may report
  // it a little taller than the screen, so only its sign is certain.
  seam::IDesktop& desktop = seam::Desktop();
  EXPECT_GE(desktop.KeyboardDelay(), 0);
  EXPECT_LE(desktop.KeyboardDelay(), 3);
  EXPECT_GE(desktop.KeyboardSpeed(), 0);
  EXPECT_LE(desktop.KeyboardSpeed(), 31);
  EXPECT_GT(desktop.FullScreenWidth(), 0);
  EXPECT_GT(desktop.FullScreenHeight(), 0);
  int x = -1, y = -1;
  EXPECT_TRUE(desktop.GetCursorPos(x, y));
  EXPECT_GE(x, 0);
  EXPECT_GE(y, 0);
  // The tick count, compared modulo 2^32: also right across a wrap.
  const DWORD before = GetTickCount();
  const std::uint32_t now = seam::Clock().TickCount();
  EXPECT_LE(now - before, GetTickCount() - before);
  // The program is this test program; its folder ends with the separator.
  std::string path = seam::Program().ModuleFileName();
  std::transform(path.begin(), path.end(), path.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  EXPECT_TRUE(path.ends_with("\\win32_tests.exe")) << path;
  EXPECT_EQ(path[1], ':');
  EXPECT_EQ(seam::ProgramFolder().size(), path.size() - std::string("win32_tests.exe").size());
  EXPECT_TRUE(seam::ProgramFolder().ends_with("\\"));
  // The timer resolution can be raised.
  EXPECT_TRUE(seam::ScopedTimerResolution().raised());
}

// The value goes to the machine-wide list; where that cannot be written (a standard user's
// HKEY_LOCAL_MACHINE, here a list that cannot be opened) to the user's own list, and it is
// removed from both. Test lists under HKEY_CURRENT_USER stand for the two Run keys.
TEST(Win32StartupEntry, WritesMachineWideOrPerUserAndRemovesFromBoth) {
  const char* kName = "TandrelAdapterTest";
  const seam::RunKeyLocation machine{HKEY_CURRENT_USER, "Software\\TandrelTest\\Machine"};
  const seam::RunKeyLocation locked{HKEY_CURRENT_USER, "Software\\TandrelTest\\Missing\\Run"};
  const seam::RunKeyLocation user{HKEY_CURRENT_USER, "Software\\TandrelTest\\User"};
  for (const auto& location : {machine, user}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(location.root, location.path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  const auto read = [&](const seam::RunKeyLocation& location) -> std::optional<std::string> {
    char buffer[1024] = {};
    DWORD size = sizeof(buffer), type = 0;
    if (RegGetValueA(location.root, location.path, kName, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer,
                     &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    EXPECT_EQ(type, DWORD{REG_SZ});
    return std::string(buffer, size);
  };
  const std::string command = "C:\\Program Files\\Tandrel\\Tandrel.exe /NoConfigure";

  seam::Win32StartupEntry standardUser(locked, user);
  ASSERT_TRUE(standardUser.Write(kName, command));
  EXPECT_EQ(read(user), command + '\0');
  // Once the machine-wide list can be written, the per-user copy goes: one start, not two.
  seam::Win32StartupEntry administrator(machine, user);
  ASSERT_TRUE(administrator.Write(kName, "short"));
  EXPECT_EQ(read(machine), std::string("short") + '\0');
  EXPECT_EQ(read(user), std::nullopt);
  ASSERT_TRUE(standardUser.Write(kName, command));
  EXPECT_TRUE(administrator.Remove(kName));
  EXPECT_EQ(read(machine), std::nullopt);
  EXPECT_EQ(read(user), std::nullopt);
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
    std::vector<int> shown;
  } boxes[] = {
      {MessageButtons::YesNoCancel, IDYES, MessageAnswer::Yes, {IDYES, IDNO, IDCANCEL}},
      {MessageButtons::YesNo, IDNO, MessageAnswer::No, {IDYES, IDNO}},
      {MessageButtons::OkCancel, IDCANCEL, MessageAnswer::Cancel, {IDOK, IDCANCEL}},
      {MessageButtons::Ok, IDOK, MessageAnswer::Ok, {IDOK}},
  };
  for (const auto& box : boxes) {
    const std::string caption = "Tandrel test " + std::to_string(box.click);
    // Another thread finds the box by its caption once shown (while it is being built its
    // buttons are not settled yet), notes the buttons it shows and clicks one.
    std::vector<int> shown;
    std::thread clicker([&] {
      HWND window = nullptr;
      for (int i = 0; i < 1000 && window == nullptr; ++i) {
        window = FindWindowA("#32770", caption.c_str());
        if (window != nullptr && !IsWindowVisible(window)) window = nullptr;
        if (window == nullptr) Sleep(10);
      }
      if (window == nullptr) return;
      // Some systems build every button and hide the ones the box does not offer.
      for (int id : {IDYES, IDNO, IDOK, IDCANCEL}) {
        const HWND button = GetDlgItem(window, id);
        if (button != nullptr && IsWindowVisible(button)) shown.push_back(id);
      }
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(box.click, BN_CLICKED), 0);
    });
    seam::Win32Messages messages;
    const MessageAnswer answer = messages.Show("Question from the adapter test", caption,
                                               box.buttons, seam::MessageIcon::Question);
    clicker.join();
    std::sort(shown.begin(), shown.end());
    std::vector<int> expected = box.shown;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected) << caption;
    EXPECT_EQ(answer, box.answer) << caption;
  }
}

}  // namespace
