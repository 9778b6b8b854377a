// The configuration window as a user meets it: opened modally on the program's thread, driven
// from the test's thread with the messages that clicks and tab changes send.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, whose declarations it uses.
#include <commctrl.h>

#include <commctrl.h>

#include <array>

#include "UserActions.h"
#include "WindowTestWorld.h"
#include "platform/sim/SimJoysticks.h"
#include "resource.h"
#include "ui/ActionsConfigurationDlg.h"
#include "ui/JoysticksConfigurationDlg.h"
#include "ui/ProfileConfigurationDlg.h"
#include "ui/TandrelConfigDlg.h"

namespace {

constexpr const char* kCaption = "Tandrel Configuration";

class ConfigurationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.CopyDefaultFiles();
    test.world.joysticks().Plug(0, seam::MakeJoystickCaps("ZRU", 10, true));
    test.StartConfiguration();
    loads = test.profiles.started.size();
  }
  // Profiles started by reloads since the start (one per present controller per load).
  size_t Reloads() const { return test.profiles.started.size() / loads - 1; }

  WindowTestWorld test;
  size_t loads = 0;
  CTandrelConfigDlg window{nullptr};
};

TEST_F(ConfigurationWindowTest, PagesFollowTheTabsAndEveryWayOutReloads) {
  const struct {
    const char* how;
    INT_PTR result;
  } ways[] = {{"OK", IDOK}, {"Cancel", IDCANCEL}, {"close button", IDCANCEL}};
  size_t reloads = 0;
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    ModalThread program([&] { return window.DoModal(); });
    HWND dialog = program.WaitForWindow(kCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(window.IsRunning());
    // Apply can only be pressed while a page holds edits.
    EXPECT_FALSE(IsEnabledControl(dialog, IDC_APPLY));
    HWND pages[] = {window.JoysticksPage()->GetHandle(), window.ProfilePage()->GetHandle(),
                    window.ActionsPage()->GetHandle()};
    for (int shown : {0, 2, 1, 0}) {
      if (shown != 0 || IsWindowVisible(pages[1]) || IsWindowVisible(pages[2])) {
        SelectTab(dialog, IDC_TABS, shown);
      }
      for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(IsWindowVisible(pages[page]) != FALSE, page == shown) << shown << " " << page;
        if (page == shown) {
          EXPECT_TRUE(IsWindowEnabled(pages[page]));
        }
      }
    }
    if (std::string(way.how) == "close button") {
      SendMessageA(dialog, WM_CLOSE, 0, 0);
    } else {
      Click(dialog, way.result == IDOK ? IDOK : IDCANCEL);
    }
    EXPECT_EQ(program.Join(), way.result);
    EXPECT_FALSE(window.IsRunning());
    EXPECT_EQ(Reloads(), ++reloads);
  }
  EXPECT_TRUE(test.world.messages().Log().empty());
}

// F1 on a control asks for the control's pop-up topic: (group - 122) * 100 + number.
TEST_F(ConfigurationWindowTest, ContextHelpFindsTheTopicOfTheControl) {
  ModalThread program([&] { return window.DoModal(); });
  HWND dialog = program.WaitForWindow(kCaption);
  ASSERT_NE(dialog, nullptr);
  const struct {
    HWND page;
    int control;
    DWORD context;
    bool inEditField = false;  // the drop-down box's own edit field has the focus
  } cases[] = {
      {window.JoysticksPage()->GetHandle(), IDC_JOY_LAUNCH, 101},
      {window.JoysticksPage()->GetHandle(), IDC_JOY_PICTURE, 107},
      {window.ProfilePage()->GetHandle(), IDC_PROF_SENSITIVITY, 220},
      {window.ProfilePage()->GetHandle(), IDC_PROF_THEME, 301},
      {window.ActionsPage()->GetHandle(), IDC_ACT_SAVE, 303},
      {window.ActionsPage()->GetHandle(), IDC_ACT_NAME, 302, true},
  };
  for (const auto& c : cases) {
    HWND control = Control(c.page, c.control);
    if (c.inEditField) control = GetWindow(control, GW_CHILD);
    HELPINFO help = {
        sizeof(HELPINFO), HELPINFO_WINDOW, c.control, control, GetWindowContextHelpId(control), {}};
    // A page does not answer WM_HELP; the system then hands it to the parent window.
    SendMessageA(c.page, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    ASSERT_FALSE(test.user.requests.empty());
    const UiRequest& request = test.user.requests.back();
    EXPECT_EQ(request.kind, "context help");
    EXPECT_EQ(request.flags, c.context) << c.control;
    EXPECT_EQ(request.owner, control);
    EXPECT_EQ(request.text, test.folder + "Tandrel.hlp");
  }
  Click(dialog, IDCANCEL);
  program.Join();
}

// Opening and closing the window leaves no window, GDI object, USER object or handle behind.
// Wine reports no GDI, USER or handle counts (they read 0 there); the windows it does count.
TEST_F(ConfigurationWindowTest, OpeningAndClosingLeaksNothing) {
  const auto count = [] {
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    DWORD windows = 0;
    EnumWindows(
        [](HWND window, LPARAM data) {
          DWORD process = 0;
          GetWindowThreadProcessId(window, &process);
          if (process != GetCurrentProcessId()) return TRUE;
          auto* counted = reinterpret_cast<DWORD*>(data);
          ++*counted;
          EnumChildWindows(
              window, [](HWND, LPARAM d) { return ++*reinterpret_cast<DWORD*>(d), TRUE; }, data);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return std::array<DWORD, 4>{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                                GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), handles,
                                windows};
  };
  static CTandrelConfigDlg* opened = &window;
  ModalThread program([&] {
    const auto openAndClose = [&] {
      // A thread timer, dispatched by the window's own loop, cancels it at once.
      SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PostMessageA(opened->GetHandle(), WM_COMMAND, IDCANCEL, 0);
      });
      return window.DoModal();
    };
    openAndClose();  // first opening: the system's own lazily made objects
    const auto before = count();
    for (int i = 0; i < 200; ++i) EXPECT_EQ(openAndClose(), IDCANCEL);
    const auto after = count();
    for (size_t i = 0; i < before.size(); ++i) EXPECT_LE(after[i], before[i]) << i;
    return INT_PTR{0};
  });
  program.Join();
}

}  // namespace
