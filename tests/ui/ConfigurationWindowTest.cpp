// The configuration window as a user meets it: its pages follow the tabs, F1 finds a
// control's topic, every way out reloads the configuration, and openings leave nothing behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <span>

#include "WindowTestWorld.h"
#include "platform/sim/SimJoysticks.h"
#include "resource.h"
#include "ui/ActionsConfigurationDlg.h"
#include "ui/JoysticksConfigurationDlg.h"
#include "ui/ProfileConfigurationDlg.h"

namespace {

class ConfigurationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { test.StartOnDefaults(); }
  WindowTestWorld test;
};

TEST_F(ConfigurationWindowTest, PagesFollowTheTabsHelpFindsTopicsAndEveryWayOutReloads) {
  const size_t loads = test.profiles.started.size();  // the profiles one load starts
  size_t started = loads;
  for (int way : {IDOK, IDCANCEL, WM_CLOSE}) {
    SCOPED_TRACE(way);
    OpenWindow open;
    EXPECT_TRUE(open.window.IsRunning());
    EXPECT_FALSE(IsEnabledControl(open.dialog, IDC_APPLY));  // no page holds edits
    HWND pages[] = {open.window.JoysticksPage()->GetHandle(),
                    open.window.ProfilePage()->GetHandle(), open.window.ActionsPage()->GetHandle()};
    for (int tab : {-1, 2, 1, 0}) {
      if (tab >= 0) SelectTab(open.dialog, IDC_TABS, tab);
      for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(IsWindowVisible(pages[page]) && IsWindowEnabled(pages[page]),
                  page == std::max(tab, 0))
            << tab << " " << page;
      }
    }
    // F1 on a control asks for its pop-up topic: (group - 122) * 100 + number. A page does
    // not answer WM_HELP; the system then hands it to the window.
    const struct {
      int page, control;
      DWORD context;
      bool inEditField = false;  // the drop-down box's own edit field has the focus
    } topics[] = {{0, IDC_JOY_LAUNCH, 101},       {0, IDC_JOY_PICTURE, 107},
                  {1, IDC_PROF_SENSITIVITY, 220}, {1, IDC_PROF_THEME, 301},
                  {2, IDC_ACT_SAVE, 303},         {2, IDC_ACT_NAME, 302, true}};
    for (const auto& topic : way == IDOK ? topics : std::span(topics, 0)) {
      HWND control = Control(pages[topic.page], topic.control);
      if (topic.inEditField) control = GetWindow(control, GW_CHILD);
      HELPINFO help = {sizeof(HELPINFO),
                       HELPINFO_WINDOW,
                       topic.control,
                       control,
                       GetWindowContextHelpId(control),
                       {}};
      SendMessageA(pages[topic.page], WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
      EXPECT_EQ(test.user.Last(),
                "context help|" + test.folder + "Tandrel.hlp|" + std::to_string(topic.context));
      EXPECT_EQ(test.user.owners.back(), control);
    }
    if (way == WM_CLOSE) {
      SendMessageA(open.dialog, WM_CLOSE, 0, 0);
      EXPECT_EQ(open.program.Join(), IDCANCEL);
    } else {
      EXPECT_EQ(open.Close(way), way);
    }
    EXPECT_FALSE(open.window.IsRunning());
    EXPECT_EQ(test.profiles.started.size(), started += loads);
  }
  EXPECT_TRUE(test.world.messages().Log().empty());
}

// 200 openings leave no window, GDI or USER object or handle behind (Wine counts only the
// windows; the other counts read 0 there).
TEST_F(ConfigurationWindowTest, OpeningAndClosingLeaksNothing) {
  CTandrelConfigDlg window{nullptr};
  static CTandrelConfigDlg* opened = &window;
  ModalThread program([&] {
    const auto openCloseAndCount = [&] {
      // A thread timer, dispatched by the window's own loop, cancels it at once.
      SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PostMessageA(opened->GetHandle(), WM_COMMAND, IDCANCEL, 0);
      });
      EXPECT_EQ(window.DoModal(), IDCANCEL);
      LPARAM windows = 0;
      EnumThreadWindows(
          GetCurrentThreadId(),
          [](HWND w, LPARAM n) {
            EnumChildWindows(
                w, [](HWND, LPARAM n) { return ++*reinterpret_cast<LPARAM*>(n), TRUE; }, n);
            return ++*reinterpret_cast<LPARAM*>(n), TRUE;
          },
          reinterpret_cast<LPARAM>(&windows));
      DWORD handles = 0;
      GetProcessHandleCount(GetCurrentProcess(), &handles);
      return windows + GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) +
             GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS) + handles;
    };
    const LPARAM first = openCloseAndCount();  // with the system's lazily made objects
    for (int i = 0; i < 200; ++i) EXPECT_LE(openCloseAndCount(), first);
    return INT_PTR{0};
  });
  program.Join();
}

}  // namespace
