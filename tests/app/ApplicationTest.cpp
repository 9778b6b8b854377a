// The application frame in the test's process: the hidden main window, its icon messages and
// menu, the configuration window opened from them, and the follower of the window in front.
// Tandrel.exe as a process is driven from outside by tests/process.

#include "WindowTestWorld.h"
#include "app/win32/ActiveWindowFollower.h"
#include "app/win32/NotificationIcon.h"
#include "app/win32/TandrelApplication.h"

namespace {

constexpr const char* kWindow = "Tandrel Configuration";

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.world.joysticks().Plug(0, seam::MakeJoystickCaps("ZRU", 10, true));
    test.StartConfiguration();
    application.emplace(GetModuleHandleA(nullptr), test.Configuration(), test.user);
  }
  WindowTestWorld test;
  std::optional<CTandrelApplication> application;
};

// The program's thread runs start-up and the message loop; the test's thread is the shell and
// the user: it sends the icon's messages and chooses menu items.
TEST_F(ApplicationTest, IconMenuAndConfigurationWindowAsTheUserMeetsThem) {
  test.user.menuChoices.push_back(ID_CONFIGURATION);
  std::atomic<bool> started{false};
  ModalThread program([&] {
    started = application->Start();
    return INT_PTR{application->RunStarted("Tandrel.exe /NoConfigure")};
  });
  while (!started) std::this_thread::yield();
  HWND main = application->MainWindow();
  EXPECT_EQ(SendMessageA(main, WM_COMMAND, ID_HELP, 0), -1);
  // Where no program opens the manual, Help says so and names it.
  test.user.helpOpens = false;
  EXPECT_EQ(SendMessageA(main, WM_COMMAND, ID_HELP, 0), -1);
  // A restarted shell has lost the icon; its "TaskbarCreated" brings it back.
  NOTIFYICONDATAA icon = {};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = main;
  icon.uID = ID_TRAY_ICON;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &icon));
  SendMessageA(main, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &icon));
  // Right button: the icon's menu with "Configuration" as its default item, chosen here.
  PostMessageA(main, WM_TRAYNOTIFY, ID_TRAY_ICON, WM_RBUTTONDOWN);
  HWND window = program.WaitForWindow(kWindow);
  ASSERT_NE(window, nullptr);
  // The help file beside the program, twice, the second time without a program for the manual,
  // and the menu.
  ASSERT_EQ(test.user.requests.size(), 4u);
  EXPECT_TRUE(test.user.requests[0].starts_with("help|") &&
              test.user.requests[0].ends_with("\\Tandrel.hlp|0"));
  EXPECT_TRUE(test.user.requests[2].ends_with(
      "\\Tandrel.html\" could not be opened: no program is registered to open .html "
      "files.\r\nOpen it with a web browser.|Help|" +
      std::to_string(MB_OK | MB_ICONINFORMATION)))
      << test.user.requests[2];
  EXPECT_EQ(test.user.requests[3],
            "menu|Configuration,Help,Exit|" + std::to_string(ID_CONFIGURATION));
  // Asking again while it is open brings it forward; there is never a second one.
  EXPECT_EQ(SendMessageA(main, WM_TRAYNOTIFY, ID_TRAY_ICON, WM_LBUTTONDBLCLK), -1);
  EXPECT_EQ(SendMessageA(main, WM_COMMAND, ID_CONFIGURATION, 0), -1);
  EXPECT_TRUE(FindWindowA(nullptr, kWindow) == window &&
              FindWindowExA(nullptr, window, nullptr, kWindow) == nullptr);
  // "Exit" while the window is open ends the window and the program.
  PostMessageA(main, WM_COMMAND, ID_EXIT, 0);
  EXPECT_EQ(program.Join(), 0);
  EXPECT_FALSE(IsWindow(window));
}

// The window in front is reported at once, and again only when it or its title changed.
TEST(ActiveWindowFollower, ReportsTheWindowInFrontOnlyWhenItChanged) {
  HWND timers = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  HWND front = CreateWindowA("STATIC", "Notes", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                             nullptr, nullptr, nullptr);
  SetForegroundWindow(front);
  Items titles;
  {
    CActiveWindowFollower follower(timers, [&](const std::string& t) { titles.push_back(t); });
    follower.Check();
    SetWindowTextA(front, "Plans");
    follower.Check();
    follower.Check();
  }
  EXPECT_EQ(titles, (Items{"Notes", "Plans"}));
  DestroyWindow(front);
  DestroyWindow(timers);
}

}  // namespace
