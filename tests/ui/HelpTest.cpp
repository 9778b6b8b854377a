// Help without a help file: the manual opens through the shell, and a control's pop-up topic is
// its text from the string table, shown beside it. With a help file the help viewer gets both.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <set>
#include <vector>

#include "resource.h"
#include "support/TempFolder.h"
#include "ui/ContextHelpTexts.h"
#include "ui/Win32UserInterface.h"

namespace {

struct Call {
  std::string file;
  UINT command;
  ULONG_PTR data;
};

class HelpTest : public ::testing::Test {
 protected:
  void TearDown() override { DestroyWindow(window); }
  HWND PopUp() const {
    return FindWindowExA(nullptr, nullptr, ui::CHelpPopup::kWindowClass, nullptr);
  }
  std::string TextOf(HWND popup) const {
    char text[1024] = {};
    GetWindowTextA(popup, text, sizeof(text));
    return text;
  }

  TempFolder folder;
  const std::string helpFile = folder.File("Tandrel.hlp");
  std::vector<Call> calls;
  ui::Win32UserInterface user{{[&](HWND, const std::string& path) {
                                 calls.push_back({path, 0, 0});
                               },
                               [&](HWND, const std::string& file, UINT command, ULONG_PTR data) {
                                 calls.push_back({file, command, data});
                               }}};
  HWND window = CreateWindowExA(0, "STATIC", "Tandrel Configuration", WS_POPUP | WS_VISIBLE, 0, 0,
                                400, 300, nullptr, nullptr, nullptr, nullptr);
  HWND button = CreateWindowExA(0, "BUTTON", "Save", WS_CHILD | WS_VISIBLE, 20, 20, 80, 24, window,
                                nullptr, nullptr, nullptr);
};

TEST_F(HelpTest, TheHelpViewerShowsAHelpFileElseTheShellOpensTheManual) {
  user.ShowHelpContents(window, helpFile);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].file, folder.File("Tandrel.html"));

  std::ofstream(helpFile) << "help";
  user.ShowHelpContents(window, helpFile);
  user.ShowContextHelp(button, helpFile, 303);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[1].file, helpFile);
  EXPECT_EQ(calls[1].command, static_cast<UINT>(HELP_FINDER));
  EXPECT_EQ(calls[2].command, static_cast<UINT>(HELP_CONTEXTPOPUP));
  EXPECT_EQ(calls[2].data, 303u);
  EXPECT_EQ(PopUp(), nullptr);
}

// Below the control, or above it where the screen ends; one pop-up at a time; a key closes it.
TEST_F(HelpTest, ThePopUpShowsTheControlsTextBesideIt) {
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const struct {
    int windowTop;
    int context;
    const char* says;
  } cases[] = {{work.top, 303, "Save:"},
               {work.top, -12199, "Hold:"},
               {work.bottom - 60, 101, "Launch On Startup:"},
               {work.bottom - 60, CONTEXT_HELP_NONE, "no help of its own"},
               {work.top, 4242, "no help of its own"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.context);
    SetWindowPos(window, nullptr, 0, c.windowTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    user.ShowContextHelp(button, helpFile, static_cast<DWORD>(c.context));
    HWND popup = PopUp();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(FindWindowExA(nullptr, popup, ui::CHelpPopup::kWindowClass, nullptr), nullptr);
    EXPECT_NE(TextOf(popup).find(c.says), std::string::npos) << TextOf(popup);
    RECT control, shown, overlap;
    GetWindowRect(button, &control);
    GetWindowRect(popup, &shown);
    EXPECT_FALSE(IntersectRect(&overlap, &control, &shown));
    EXPECT_TRUE(shown.top - control.bottom == 2 || control.top - shown.bottom == 2);
    EXPECT_TRUE(shown.left >= work.left && shown.right <= work.right && shown.top >= work.top &&
                shown.bottom <= work.bottom);
  }
  SendMessageA(PopUp(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(PopUp(), nullptr);
  EXPECT_TRUE(calls.empty());
}

TEST(ContextHelpTexts, EveryContextOfTheWindowHasATextOfItsOwn) {
  const std::pair<int, int> ranges[] = {{-12200, -12198}, {101, 107}, {201, 207},
                                        {210, 220},       {301, 308}, {403, 403},
                                        {503, 507},       {603, 605}, {703, 710}};
  const ui::CContextHelpTexts texts(GetModuleHandleA(nullptr));
  std::set<std::string> seen;
  for (const auto& [first, last] : ranges) {
    for (int context = first; context <= last; ++context) {
      const std::optional<std::string> text = texts.Find(context);
      ASSERT_TRUE(text.has_value()) << context;
      EXPECT_GT(text->size(), 40u) << context;
      EXPECT_TRUE(seen.insert(*text).second) << context;
    }
  }
}

}  // namespace
