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

// Below the control, or above it where the screen ends; one pop-up at a time; a key closes it.
TEST(Help, PopUpsShowTheControlsTextBesideItTheManualOrAHelpFileTheViewer) {
  TempFolder folder;
  const std::string helpFile = folder.File("Tandrel.hlp");
  std::vector<std::string> calls;
  ui::Win32UserInterface user{{[&](HWND, const std::string& path) { calls.push_back(path); },
                               [&](HWND, const std::string& file, UINT command, ULONG_PTR data) {
                                 calls.push_back(file + "|" + std::to_string(command) + "|" +
                                                 std::to_string(data));
                               }}};
  HWND window = CreateWindowExA(0, "STATIC", "Tandrel Configuration", WS_POPUP | WS_VISIBLE, 0, 0,
                                400, 300, nullptr, nullptr, nullptr, nullptr);
  HWND button = CreateWindowExA(0, "BUTTON", "Save", WS_CHILD | WS_VISIBLE, 20, 20, 80, 24, window,
                                nullptr, nullptr, nullptr);
  const auto popUp = [](HWND after = nullptr) {
    return FindWindowExA(nullptr, after, ui::CHelpPopup::kWindowClass, nullptr);
  };
  MONITORINFO monitor = {sizeof(monitor)};
  GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const struct {
    LONG windowTop;
    int context;
    const char* says;
  } cases[] = {{work.top, 303, "Save:"},
               {work.bottom - 60, 101, "Launch On Startup:"},
               {work.top, 4242, "no help of its own"}};
  for (const auto& c : cases) {
    SetWindowPos(window, nullptr, 0, c.windowTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    user.ShowContextHelp(button, helpFile, static_cast<DWORD>(c.context));
    HWND popup = popUp();
    ASSERT_NE(popup, nullptr) << c.context;
    EXPECT_EQ(popUp(popup), nullptr);
    char text[1024] = {};
    GetWindowTextA(popup, text, sizeof(text));
    EXPECT_NE(std::string(text).find(c.says), std::string::npos) << text;
    RECT control, shown;
    GetWindowRect(button, &control);
    GetWindowRect(popup, &shown);
    EXPECT_TRUE(shown.top - control.bottom == 2 || control.top - shown.bottom == 2) << c.context;
    EXPECT_TRUE(shown.left >= work.left && shown.right <= work.right && shown.top >= work.top &&
                shown.bottom <= work.bottom)
        << c.context;
  }
  SendMessageA(popUp(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(popUp(), nullptr);

  user.ShowHelpContents(window, helpFile);
  std::ofstream(helpFile) << "help";
  user.ShowHelpContents(window, helpFile);
  user.ShowContextHelp(button, helpFile, 303);
  EXPECT_EQ(calls,
            (std::vector<std::string>{
                folder.File("Tandrel.html"), helpFile + "|" + std::to_string(HELP_FINDER) + "|0",
                helpFile + "|" + std::to_string(HELP_CONTEXTPOPUP) + "|303"}));
  EXPECT_EQ(popUp(), nullptr);
  DestroyWindow(window);
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
