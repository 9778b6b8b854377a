// The application frame in the test's process: the hidden main window, its icon messages and
// menu, the configuration window opened from them, window switching, and Hook.dll's contract.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "HookApi.h"
#include "UserActions.h"
#include "WindowTestWorld.h"
#include "app/win32/NotificationIcon.h"
#include "app/win32/TandrelApplication.h"
#include "platform/sim/SimJoysticks.h"
#include "resource.h"

namespace {

const std::string kHookDll = std::string(TANDREL_BUILD_DIR) + "/Hook.dll";

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.CopyDefaultFiles();
    test.world.joysticks().Plug(0, seam::MakeJoystickCaps("ZRU", 10, true));
    test.StartConfiguration();
  }
  std::string LastProfile() const { return test.profiles.started.back().second; }

  WindowTestWorld test;
  CTandrelApplication application{GetModuleHandleA(nullptr)};
};

int CountWindows(DWORD thread, const char* caption) {
  struct Count {
    const char* caption;
    int n;
  } count{caption, 0};
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM data) {
        auto* c = reinterpret_cast<Count*>(data);
        char text[256] = {};
        GetWindowTextA(window, text, sizeof(text));
        if (IsWindowVisible(window) && std::string(text) == c->caption) ++c->n;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.n;
}

// The program's thread runs start-up and the message loop; the test's thread is the shell and
// the user: it sends the icon's messages and chooses menu items.
TEST_F(ApplicationTest, IconMenuAndConfigurationWindowAsTheUserMeetsThem) {
  test.user.menuChoices.push_back(ID_CONFIGURATION);
  std::atomic<bool> started{false};
  ModalThread program([&] {
    started = application.Start();
    return INT_PTR{application.RunStarted("Tandrel.exe -x/noConfigureX")};
  });
  while (!started) std::this_thread::yield();
  HWND main = application.MainWindow();
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_EQ(CountWindows(program.threadId(), "Tandrel Configuration"), 0);
  // No Hook.dll beside the program: one message, and the program runs on.
  const auto messages = test.world.messages().Log();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text,
            "Couldn't load the Hook dll, automatic profile switching will be turned off.");
  EXPECT_EQ(messages[0].caption, "Error");
  EXPECT_EQ(messages[0].icon, seam::MessageIcon::Error);

  EXPECT_EQ(SendMessageA(main, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(IsWindow(main));
  for (LPARAM ignored : {WM_RBUTTONUP, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}) {
    EXPECT_EQ(SendMessageA(main, WM_TRAYNOTIFY, ID_TRAY_ICON, ignored), -1);
  }
  EXPECT_EQ(SendMessageA(main, WM_TRAYNOTIFY, ID_TRAY_ICON + 1, WM_LBUTTONDBLCLK), -1);
  EXPECT_TRUE(test.user.requests.empty());
  EXPECT_EQ(SendMessageA(main, WM_COMMAND, ID_HELP, 0), -1);
  ASSERT_EQ(test.user.requests.size(), 1u);
  EXPECT_EQ(test.user.requests[0].kind, "help");
  EXPECT_TRUE(test.user.requests[0].text.ends_with("\\Tandrel.hlp")) << test.user.requests[0].text;

  // Right button: the icon's menu with "Configuration" as its default item, chosen here.
  PostMessageA(main, WM_TRAYNOTIFY, ID_TRAY_ICON, WM_RBUTTONDOWN);
  HWND window = program.WaitForWindow("Tandrel Configuration");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(test.user.requests[1].kind, "menu");
  EXPECT_EQ(test.user.requests[1].text, "Configuration");
  EXPECT_EQ(test.user.requests[1].flags, UINT{ID_CONFIGURATION});
  // Asking again while it is open brings it forward; there is never a second one.
  EXPECT_EQ(SendMessageA(main, WM_TRAYNOTIFY, ID_TRAY_ICON, WM_LBUTTONDBLCLK), -1);
  EXPECT_EQ(SendMessageA(main, WM_COMMAND, ID_CONFIGURATION, 0), -1);
  EXPECT_EQ(CountWindows(program.threadId(), "Tandrel Configuration"), 1);
  // The controller keeps working meanwhile: its first button holds the left mouse button.
  test.world.Advance(100);
  test.world.joysticks().PressButton(0, 1);
  test.world.Advance(100);
  EXPECT_EQ(test.world.input().KeysDown(), std::vector<std::uint8_t>{1});
  // "Exit" while the window is open ends the window and the program, and the configuration
  // that goes after it lets go of everything held.
  PostMessageA(main, WM_COMMAND, ID_EXIT, 0);
  EXPECT_EQ(program.Join(), 0);
  EXPECT_FALSE(IsWindow(window));
  test.EndConfiguration();
  EXPECT_TRUE(test.world.input().AllReleased());
}

// The active window's title picks each controller's profile by the window rules: titles are
// cut to 254 characters, and a window that is gone counts as untitled.
TEST_F(ApplicationTest, WindowSwitchesPickProfilesByTitle) {
  std::filesystem::copy_file(kHookDll, test.folder + "Hook.dll");
  ASSERT_TRUE(application.Start());
  EXPECT_TRUE(test.world.messages().Log().empty());  // the hook is in place
  const struct {
    std::string title;
    bool destroyed;
    const char* profile;
  } cases[] = {
      {"Holiday - Slide Show", false, "SlideShow.xml"},
      {"Notes - Editor", false, "Gamepad.xml"},
      {std::string(244, 'x') + "Slide Show", false, "SlideShow.xml"},
      {std::string(245, 'x') + "Slide Show", false, "Gamepad.xml"},
      {"Holiday - Slide Show", false, "SlideShow.xml"},
      {"Holiday - Slide Show", true, "Gamepad.xml"},
  };
  for (const auto& c : cases) {
    HWND other = CreateWindowA("STATIC", c.title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
    if (c.destroyed) DestroyWindow(other);
    SendMessageA(application.MainWindow(), WM_WINDOWSWITCHED, reinterpret_cast<WPARAM>(other), 0);
    EXPECT_EQ(LastProfile(), c.profile) << c.title.size() << (c.destroyed ? " destroyed" : "");
    if (!c.destroyed) DestroyWindow(other);
  }
  application.Shutdown();
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
  const struct {
    int code;
    bool reported;
  } codes[] = {{HSHELL_WINDOWACTIVATED, true}, {HSHELL_RUDEAPPACTIVATED, true},
               {HSHELL_WINDOWCREATED, false},  {HSHELL_WINDOWDESTROYED, false},
               {HSHELL_REDRAW, false},         {HSHELL_GETMINRECT, false}};
  for (const auto& c : codes) {
    const auto activated = reinterpret_cast<WPARAM>(receiver) + 16 * c.code;
    hookProc(c.code, activated, 0);
    MSG message;
    const bool posted =
        PeekMessageA(&message, receiver, WM_WINDOWSWITCHED, WM_WINDOWSWITCHED, PM_REMOVE);
    EXPECT_EQ(posted, c.reported) << c.code;
    if (posted) {
      EXPECT_EQ(message.wParam, activated);
    }
  }
  DestroyWindow(receiver);
  FreeLibrary(hook);
}

}  // namespace
