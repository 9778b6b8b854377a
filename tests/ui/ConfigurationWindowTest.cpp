// The configuration window as a user meets it: its pages follow the tabs, F1 finds a
// control's topic, every way out reloads the configuration, and openings leave nothing behind.
#include <gtest/gtest.h>
#include <windows.h>

#include "WindowTestWorld.h"
#include "platform/sim/SimJoysticks.h"
#include "resource.h"
#include "ui/ActionsConfigurationDlg.h"
#include "ui/JoysticksConfigurationDlg.h"
#include "ui/ProfileConfigurationDlg.h"

namespace {

class ConfigurationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.world.joysticks().Plug(0, seam::MakeJoystickCaps("ZRU", 10, true));
    test.StartConfiguration();
  }
  WindowTestWorld test;
};

TEST_F(ConfigurationWindowTest, PagesFollowTheTabsHelpFindsTopicsAndEveryWayOutReloads) {
  const size_t loads = test.profiles.started.size();  // the profiles one load starts
  size_t started = loads;
  for (int way : {IDOK, IDCANCEL, WM_CLOSE}) {
    OpenWindow open;
    EXPECT_FALSE(IsEnabledControl(open.dialog, IDC_APPLY)) << way;  // no page holds edits
    HWND pages[] = {open.window.JoysticksPage()->GetHandle(),
                    open.window.ProfilePage()->GetHandle(), open.window.ActionsPage()->GetHandle()};
    for (int tab : {2, 1, 0}) {
      SelectTab(open.dialog, IDC_TABS, tab);
      for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(IsWindowVisible(pages[page]) && IsWindowEnabled(pages[page]), page == tab);
      }
    }
    // F1 on a control asks for its pop-up topic: (group - 122) * 100 + number. A page does
    // not answer WM_HELP; the system then hands it to the window.
    const struct {
      int page, control;
      DWORD context;
    } topics[] = {{0, IDC_JOY_LAUNCH, 101},
                  {1, IDC_PROF_SENSITIVITY, 220},
                  {1, IDC_PROF_THEME, 301},
                  {2, IDC_ACT_NAME, 302}};  // the drop-down box's own edit field has the focus
    for (const auto& topic : topics) {
      HWND control = Control(pages[topic.page], topic.control);
      if (topic.page == 2) control = GetWindow(control, GW_CHILD);
      HELPINFO help{sizeof(help),
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
    } else {
      Click(open.dialog, way);
    }
    EXPECT_EQ(open.program.Join(), way == IDOK ? IDOK : IDCANCEL);
    EXPECT_EQ(test.profiles.started.size(), started += loads);
  }
  EXPECT_TRUE(test.world.messages().Log().empty());
}

// 50 openings leave no window, GDI or USER object or handle behind (Wine counts only the
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
      DWORD handles = 0;
      GetProcessHandleCount(GetCurrentProcess(), &handles);
      DWORD count = handles + GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) +
                    GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
      // A window left behind keeps its children with it.
      for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, nullptr)) != nullptr;) {
        count += GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId();
      }
      return count;
    };
    const DWORD first = openCloseAndCount();  // with the system's lazily made objects
    for (int i = 0; i < 50; ++i) EXPECT_LE(openCloseAndCount(), first);
    return INT_PTR{0};
  });
  program.Join();
}

}  // namespace
