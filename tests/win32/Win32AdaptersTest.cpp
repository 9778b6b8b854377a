#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
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
    state.xPos = 1234;
    state.buttons = 0x5A;
    state.pov = 18000;
    EXPECT_FALSE(joysticks.GetState(id, state));
    EXPECT_EQ(state.xPos, 1234u);
    EXPECT_EQ(state.buttons, 0x5Au);
    EXPECT_EQ(state.pov, 18000u);
    seam::JoystickCaps caps;
    caps.numButtons = 99;
    caps.productName[0] = 'q';
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
    SCOPED_TRACE(testing::Message() << "vk 0x" << std::hex << vk);
    EXPECT_EQ(real.MapVirtualKey(vk, seam::kMapVkToScan),
              sim.MapVirtualKey(vk, seam::kMapVkToScan));
    EXPECT_EQ(real.MapVirtualKey(vk, seam::kMapVkToChar),
              sim.MapVirtualKey(vk, seam::kMapVkToChar));
  }
  for (char c : std::string("azAZ09!@ \r\t\b;:'\",./?-_=+[]{}\\|`~")) {
    SCOPED_TRACE(c);
    EXPECT_EQ(real.VkKeyScan(c), sim.VkKeyScan(c));
  }
}

TEST(Win32Desktop, ReportsSettingsInTheirRangesAndTheScreen) {
  seam::Win32Desktop desktop;
  EXPECT_GE(desktop.KeyboardDelay(), 0);
  EXPECT_LE(desktop.KeyboardDelay(), 3);
  EXPECT_GE(desktop.KeyboardSpeed(), 0);
  EXPECT_LE(desktop.KeyboardSpeed(), 31);
  // The client area of a maximised window: Wine may report it a little taller than the
  // screen, so only its sign is certain.
  EXPECT_GT(desktop.FullScreenWidth(), 0);
  EXPECT_GT(desktop.FullScreenHeight(), 0);
  int x = -1, y = -1;
  EXPECT_TRUE(desktop.GetCursorPos(x, y));
  EXPECT_GE(x, 0);
  EXPECT_GE(y, 0);
}

TEST(Win32Clock, ReadsTheSystemTickCount) {
  seam::Win32Clock clock;
  const DWORD before = GetTickCount();
  const std::uint32_t now = clock.TickCount();
  const DWORD after = GetTickCount();
  EXPECT_LE(now - before, after - before);  // modular: also right across a wrap
}

TEST(Win32Program, ModuleFileNameIsThisTestProgram) {
  seam::Win32Program program;
  std::string path = program.ModuleFileName();
  std::transform(path.begin(), path.end(), path.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const std::string tail = "\\win32_tests.exe";
  ASSERT_GE(path.size(), tail.size());
  EXPECT_EQ(path.substr(path.size() - tail.size()), tail);
  EXPECT_EQ(path[1], ':');
}

class Win32StartupEntryTest : public testing::Test {
 protected:
  static constexpr const char* kName = "TandrelAdapterTest";
  void TearDown() override { entry.Remove(kName); }

  // Reads the value straight from the registry; false when it is missing.
  static bool Read(DWORD& type, std::string& data) {
    char buffer[1024] = {};
    DWORD size = sizeof(buffer);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", kName,
                     RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size) != ERROR_SUCCESS) {
      return false;
    }
    data.assign(buffer, size);
    return true;
  }

  seam::Win32StartupEntry entry;
};

TEST_F(Win32StartupEntryTest, WritesAZeroTerminatedStringAndRemovesIt) {
  const std::string command = "C:\\Program Files\\Tandrel\\Tandrel.exe /NoConfigure";
  ASSERT_TRUE(entry.Write(kName, command));
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(Read(type, data));
  EXPECT_EQ(type, DWORD{REG_SZ});
  EXPECT_EQ(data, command + '\0');

  ASSERT_TRUE(entry.Write(kName, "short"));
  ASSERT_TRUE(Read(type, data));
  EXPECT_EQ(data, std::string("short") + '\0');

  EXPECT_TRUE(entry.Remove(kName));
  EXPECT_FALSE(Read(type, data));
  EXPECT_TRUE(entry.Remove(kName));  // already gone: no error
}

// Shows a box through the adapter while another thread finds it by its caption, notes which
// buttons it has and clicks `click`.
struct BoxRun {
  seam::MessageAnswer answer;
  bool found;
  bool hasOk, hasCancel, hasYes, hasNo;
};

BoxRun ShowAndClick(const std::string& caption, seam::MessageButtons buttons, int click) {
  BoxRun run{};
  std::thread clicker([&] {
    HWND box = nullptr;
    for (int i = 0; i < 1000 && box == nullptr; ++i) {
      // Found once shown: while the box is being built its buttons are not settled yet.
      box = FindWindowA("#32770", caption.c_str());
      if (box != nullptr && !IsWindowVisible(box)) box = nullptr;
      if (box == nullptr) Sleep(10);
    }
    run.found = box != nullptr;
    if (box == nullptr) return;
    // Some systems build every button and hide the ones the box does not offer.
    auto shows = [box](int id) {
      const HWND button = GetDlgItem(box, id);
      return button != nullptr && IsWindowVisible(button) != FALSE;
    };
    run.hasOk = shows(IDOK);
    run.hasCancel = shows(IDCANCEL);
    run.hasYes = shows(IDYES);
    run.hasNo = shows(IDNO);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(click, BN_CLICKED), 0);
  });
  seam::Win32Messages messages;
  run.answer = messages.Show("Question from the adapter test", caption, buttons,
                             seam::MessageIcon::Question);
  clicker.join();
  return run;
}

TEST(Win32Messages, ButtonsAreMappedAndTheClickedOneIsTheAnswer) {
  BoxRun r = ShowAndClick("Tandrel test YesNoCancel", seam::MessageButtons::YesNoCancel, IDYES);
  ASSERT_TRUE(r.found);
  EXPECT_TRUE(r.hasYes && r.hasNo && r.hasCancel);
  EXPECT_FALSE(r.hasOk);
  EXPECT_EQ(r.answer, seam::MessageAnswer::Yes);

  r = ShowAndClick("Tandrel test YesNo", seam::MessageButtons::YesNo, IDNO);
  ASSERT_TRUE(r.found);
  EXPECT_TRUE(r.hasYes && r.hasNo);
  EXPECT_FALSE(r.hasOk || r.hasCancel);
  EXPECT_EQ(r.answer, seam::MessageAnswer::No);

  r = ShowAndClick("Tandrel test OkCancel", seam::MessageButtons::OkCancel, IDCANCEL);
  ASSERT_TRUE(r.found);
  EXPECT_TRUE(r.hasOk && r.hasCancel);
  EXPECT_FALSE(r.hasYes || r.hasNo);
  EXPECT_EQ(r.answer, seam::MessageAnswer::Cancel);

  r = ShowAndClick("Tandrel test Ok", seam::MessageButtons::Ok, IDOK);
  ASSERT_TRUE(r.found);
  EXPECT_TRUE(r.hasOk);
  EXPECT_FALSE(r.hasYes || r.hasNo);
  EXPECT_EQ(r.answer, seam::MessageAnswer::Ok);
}

TEST(ScopedTimerResolution, RaisesTheResolution) {
  seam::ScopedTimerResolution resolution;
  EXPECT_TRUE(resolution.raised());
}

TEST(Win32Platform, ServicesPointAtTheRealAdapters) {
  seam::Win32Platform platform;
  const seam::Services s = platform.services();
  seam::ScopedServices scope(s);
  EXPECT_NE(dynamic_cast<seam::Win32Input*>(&seam::Input()), nullptr);
  EXPECT_NE(dynamic_cast<seam::Win32Joysticks*>(&seam::Joysticks()), nullptr);
  EXPECT_NE(dynamic_cast<seam::Win32Messages*>(&seam::Messages()), nullptr);
  EXPECT_NE(s.keyboardLayout, nullptr);
  EXPECT_NE(s.desktop, nullptr);
  EXPECT_NE(s.clock, nullptr);
  EXPECT_NE(s.startupEntry, nullptr);
  // The program folder comes from the module file name.
  const std::string folder = seam::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
}

}  // namespace
