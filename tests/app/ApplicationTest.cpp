// The application frame in the test's process: the hidden main window, its icon messages and
// menu, the configuration window opened from them, window switching, and Hook.dll's contract.
// Tandrel.exe as a process is driven from outside by tests/process.

#include <atomic>
#include <filesystem>
#include <optional>

#include "HookApi.h"
#include "WindowTestWorld.h"
#include "app/win32/NotificationIcon.h"
#include "app/win32/TandrelApplication.h"

namespace {

namespace fs = std::filesystem;

const std::string kHookDll = std::string(TANDREL_BUILD_DIR) + "/Hook.dll";
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
  // No Hook.dll beside the program: one message, and the program runs on.
  EXPECT_EQ(test.Messages(),
            Items{"Error: Couldn't load the Hook dll, automatic profile switching will be turned "
                  "off."});
  EXPECT_EQ(test.world.messages().Log()[0].icon, seam::MessageIcon::Error);
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

// The active window's title picks each controller's profile by the window rules: titles are
// cut to 254 characters, and a window that is gone counts as untitled.
TEST_F(ApplicationTest, WindowSwitchesPickProfilesByTitle) {
  fs::copy_file(kHookDll, test.folder + "Hook.dll");
  ASSERT_TRUE(application->Start());
  EXPECT_TRUE(test.world.messages().Log().empty());  // the hook is in place
  std::string profiles;
  for (size_t letters : {244, 245, 244, 0}) {  // 0: a window gone before its switch is handled
    HWND other = CreateWindowA("STATIC", (std::string(letters, 'x') + "Slide Show").c_str(),
                               WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    if (letters == 0) DestroyWindow(other);
    SendMessageA(application->MainWindow(), WM_WINDOWSWITCHED, reinterpret_cast<WPARAM>(other), 0);
    DestroyWindow(other);
    profiles += test.started.back().second + " ";
  }
  EXPECT_EQ(profiles, "SlideShow.xml Gamepad.xml SlideShow.xml Gamepad.xml ");
  application->Shutdown();
}

// Hook.dll posts the switch message for activations only, with the activated window, to the
// registered window, and passes every call on.
TEST(HookComponent, ReportsActivationsToTheRegisteredWindow) {
  HMODULE hook = LoadLibraryA(kHookDll.c_str());
  ASSERT_NE(hook, nullptr);
  auto hookProc =
      reinterpret_cast<HookProcFunction>(reinterpret_cast<void*>(GetProcAddress(hook, "HookProc")));
  auto registerWindow = reinterpret_cast<RegisterWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(hook, "RegisterWindow")));
  ASSERT_TRUE(hookProc && registerWindow && GetProcAddress(hook, "RegisterHook"));
  HWND receiver =
      CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  registerWindow(receiver);
  for (int code : {HSHELL_WINDOWACTIVATED, HSHELL_RUDEAPPACTIVATED, HSHELL_WINDOWCREATED,
                   HSHELL_WINDOWDESTROYED, HSHELL_REDRAW, HSHELL_GETMINRECT}) {
    const auto activated = reinterpret_cast<WPARAM>(receiver) + 16 * code;
    hookProc(code, activated, 0);
    MSG message = {};
    PeekMessageA(&message, receiver, WM_WINDOWSWITCHED, WM_WINDOWSWITCHED, PM_REMOVE);
    const bool activation = code == HSHELL_WINDOWACTIVATED || code == HSHELL_RUDEAPPACTIVATED;
    EXPECT_EQ(message.wParam, activation ? activated : 0) << code;
  }
  DestroyWindow(receiver);
  FreeLibrary(hook);
}

}  // namespace
