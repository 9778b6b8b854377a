// The configuration window as a user meets it: its pages follow the tabs, F1 finds a
// control's topic, and every way out reloads the configuration. Help without a help file:
// the manual opens through the shell, and a control's pop-up topic is its text from the string
// table, shown beside it. With a help file the help viewer gets both.

#include <cstdlib>
#include <fstream>

#include "WindowTestWorld.h"
#include "support/TempFolder.h"
#include "ui/Win32UserInterface.h"

namespace {

TEST(ConfigurationWindow, PagesFollowTheTabsHelpFindsTopicsAndEveryWayOutReloads) {
  WindowTestWorld test;
  test.world.joysticks().Plug(0, seam::MakeJoystickCaps("ZRU", 10, true));
  test.StartConfiguration();
  const size_t loads = test.started.size();  // the profiles one load starts
  size_t started = loads;
  for (int way : {IDOK, IDCANCEL, WM_CLOSE}) {
    OpenWindow open(test);
    EXPECT_FALSE(IsEnabledControl(open.dialog, IDC_APPLY)) << way;  // no page holds edits
    // It has a button on the taskbar and opens in the middle of the screen.
    EXPECT_NE(GetWindowLongA(open.dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    RECT area = {}, window = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(open.dialog, &window);
    EXPECT_LE(std::abs((window.left + window.right) - (area.left + area.right)), 4);
    EXPECT_LE(std::abs((window.top + window.bottom) - (area.top + area.bottom)), 4);
    // The Actions page gets its window when its tab is first shown.
    EXPECT_EQ(open.window.ActionsPage()->GetHandle(), nullptr);
    CConfigurationPage* pageObjects[] = {open.window.JoysticksPage(), open.window.ProfilePage(),
                                         open.window.ActionsPage()};
    HWND pages[3] = {};
    for (int tab : {2, 1, 0}) {
      SelectTab(open.dialog, IDC_TABS, tab);
      for (int page = 0; page < 3; ++page) {
        pages[page] = pageObjects[page]->GetHandle();
        EXPECT_EQ(IsWindowVisible(pages[page]) && IsWindowEnabled(pages[page]), page == tab);
      }
    }
    // F1 on a control asks for its pop-up topic: (group - 122) * 100 + number. A page does
    // not answer WM_HELP; the system then hands it to the window.
    const struct {
      int page, control;
      DWORD context;
    } topics[] = {{0, IDC_JOY_LAUNCH, 101},
                  {1, IDC_PROF_THEME, 301},
                  {2, IDC_ACT_NAME, 302}};  // the drop-down box's own edit field has the focus
    for (const auto& topic : topics) {
      HWND control = Control(pages[topic.page], topic.control);
      if (topic.page == 2) control = GetWindow(control, GW_CHILD);
      HELPINFO help{sizeof(help), HELPINFO_WINDOW, topic.control, control, 0, {}};
      help.dwContextId = GetWindowContextHelpId(control);
      SendMessageA(pages[topic.page], WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
      EXPECT_EQ(test.user.requests.back(),
                "context help|" + test.folder + "Tandrel.hlp|" + std::to_string(topic.context));
      EXPECT_EQ(test.user.owners.back(), control);
    }
    SendMessageA(open.dialog, way == WM_CLOSE ? WM_CLOSE : WM_COMMAND, way, 0);
    EXPECT_EQ(open.program.Join(), way == IDOK ? IDOK : IDCANCEL);
    EXPECT_EQ(test.started.size(), started += loads);
  }
  EXPECT_TRUE(test.world.messages().Log().empty());
}

// Every label, check box and radio button of the window, its pages and its panels shows its
// whole text in the window's own font: the text, wrapped as the control wraps it, fits.
TEST(ConfigurationWindow, NoLabelIsClipped) {
  WindowTestWorld test;
  test.StartConfiguration();
  OpenWindow open(test, 2);  // the Actions page and its panels are made when first shown
  // Every control at any depth: the pages, the Actions page's panels and theirs.
  Items clipped;
  EnumChildWindows(
      open.dialog,
      [](HWND control, LPARAM into) -> BOOL {
        char className[32] = {};
        GetClassNameA(control, className, sizeof(className));
        const LONG kind = GetWindowLongA(control, GWL_STYLE) & 0x0F;
        const bool label = _stricmp(className, "Static") == 0 && kind <= SS_RIGHT;
        const bool box = _stricmp(className, "Button") == 0 && kind != BS_GROUPBOX &&
                         kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON;
        char text[512] = {};
        GetWindowTextA(control, text, sizeof(text));  // labels share the identifier -1
        if ((!label && !box) || text[0] == '\0') return TRUE;
        RECT client;
        GetClientRect(control, &client);
        // A check box or radio button draws its box and a gap before the text.
        if (box) client.right -= GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE);
        RECT needed = {0, 0, client.right, 0};
        const ui::WindowDC dc(control);
        const ui::SelectedObject font(
            dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
        DrawTextA(dc.get(), text, -1, &needed, DT_CALCRECT | DT_WORDBREAK);
        if (needed.right > client.right || needed.bottom > client.bottom) {
          reinterpret_cast<Items*>(into)->push_back(text);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&clipped));
  EXPECT_EQ(clipped, Items{});
}

// Below the control, or above it where the screen ends; one pop-up at a time; a key closes it.
TEST(Help, PopUpsShowTheControlsTextBesideItTheManualOrAHelpFileTheViewer) {
  TempFolder folder;
  const std::string helpFile = folder.File("Tandrel.hlp");
  Items calls;
  ui::Win32UserInterface user{{[&](HWND, const std::string& path) {
                                 calls.push_back(path);
                                 return true;
                               },
                               [&](HWND, const std::string& file, UINT command, ULONG_PTR data) {
                                 calls.push_back(file + "|" + std::to_string(command) + "|" +
                                                 std::to_string(data));
                               }}};
  RECT work, control, shown;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  for (const LONG top : {work.top, work.bottom - 24}) {
    HWND button = CreateWindowExA(0, "BUTTON", "Save", WS_POPUP | WS_VISIBLE, work.left, top, 80,
                                  24, nullptr, nullptr, nullptr, nullptr);
    user.ShowContextHelp(button, helpFile, 303);
    HWND popup = FindWindowA(ui::CHelpPopup::kWindowClass, nullptr);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(FindWindowExA(nullptr, popup, ui::CHelpPopup::kWindowClass, nullptr), nullptr);
    char text[1024] = {};
    GetWindowTextA(popup, text, sizeof(text));
    EXPECT_TRUE(std::string(text).starts_with("Save:")) << text;
    GetWindowRect(button, &control);
    GetWindowRect(popup, &shown);
    EXPECT_EQ(top == work.top ? shown.top - control.bottom : control.top - shown.bottom, 2);
    DestroyWindow(button);
  }
  SendMessageA(FindWindowA(ui::CHelpPopup::kWindowClass, nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(FindWindowA(ui::CHelpPopup::kWindowClass, nullptr), nullptr);

  user.ShowHelpContents(nullptr, helpFile);
  std::ofstream(helpFile) << "help";
  user.ShowHelpContents(nullptr, helpFile);
  user.ShowContextHelp(nullptr, helpFile, 303);
  EXPECT_EQ(calls,
            (Items{folder.File("Tandrel.html"), helpFile + "|" + std::to_string(HELP_FINDER) + "|0",
                   helpFile + "|" + std::to_string(HELP_CONTEXTPOPUP) + "|303"}));
}

}  // namespace
