// The configuration window of Tandrel.exe as a user meets it: what only the real program shows,
// the profile of the window in front of another program's windows.

#include <gtest/gtest.h>

#include "ProgramDriver.h"
#include "resource.h"

namespace {

using namespace driver;

// The window rules of the default configuration at work, as the Live View shows them: while a
// window whose title holds "Slide Show" is in front, the controller uses SlideShow.xml (button 6
// gives the Right arrow key); in front of any other window, Gamepad.xml (button 6 gives Enter).
// Tandrel finds the window in front and its title (its first 254 characters) by itself: windows
// of another program (this one) are brought to the front, and renamed while there. The Live
// View's "let it act" box is checked: otherwise the controller shown does nothing.
TEST(LiveViewTab, NamesTheProfileOfTheWindowInFront) {
  ProgramFolder folder;
  folder.AddDefaultFiles();
  folder.Plug(FakeController{});
  Program program(folder);
  Window window = program.WaitForWindow("Tandrel Configuration");
  window.ChooseTab(kLiveViewTab);
  window.Click(IDC_LIVE_ACT);  // the controller acts while it is shown
  window.WaitForText(IDC_LIVE_STATUS, "Profile: Gamepad.xml    Shift state: 0");
  HWND slides = CreateWindowA("STATIC", "Quarterly Review - Slide Show", WS_POPUP | WS_VISIBLE, 0,
                              0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  HWND notes = CreateWindowA("STATIC", "Notes - Editor", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                             nullptr, nullptr, nullptr, nullptr);
  const std::string longest = std::string(245, 'x') + "Slide Show";
  const struct {
    HWND front;
    const char* renamed;  // the title it takes while in front, if any
    std::string profile;
    BYTE key;
  } steps[] = {{slides, nullptr, "SlideShow.xml", VK_RIGHT},
               {notes, nullptr, "Gamepad.xml", VK_RETURN},
               {notes, "Holiday - Slide Show", "SlideShow.xml", VK_RIGHT},
               {notes, longest.c_str(), "Gamepad.xml", VK_RETURN}};  // cut to 254 characters
  for (const auto& step : steps) {
    SetForegroundWindow(step.front);
    if (step.renamed != nullptr) SetWindowTextA(step.front, step.renamed);
    window.WaitForText(IDC_LIVE_STATUS, "Profile: " + step.profile + "    Shift state: 0");
    program.WatchKeys();
    folder.Plug(FakeController{.down = 1u << 5});
    program.WaitForKey(step.key);
    folder.Plug(FakeController{});
  }
  program.ExitThroughIconMenu();
  EXPECT_EQ(program.WaitForExit(), 0u);
  DestroyWindow(slides);
  DestroyWindow(notes);
}

}  // namespace
