// The window rules of the default configuration at work: while a window whose title holds
// "Slide Show" is in front, the controller uses SlideShow.xml (button 6 gives the Right arrow
// key); in front of any other window, Gamepad.xml (button 6 gives Enter). Tandrel finds the
// window in front and its title by itself: another program is brought to the front, and
// renamed while there.

#include <gtest/gtest.h>

#include "OtherWindow.h"
#include "ProgramDriver.h"
#include "resource.h"

namespace {

using namespace driver;

TEST(WindowRules, TheProfileFollowsTheWindowInFrontAndItsTitle) {
  ProgramFolder folder;
  folder.AddDefaultFiles();
  folder.Plug(FakeController{});
  Program program(folder);
  Window window = program.WaitForWindow("Tandrel Configuration");
  window.ClickTab("Live View");
  window.WaitForText(IDC_LIVE_STATUS, "Profile: Gamepad.xml    Shift state: 0");
  OtherWindow slides("Quarterly Review - Slide Show"), notes("Notes - Editor");
  const struct {
    OtherWindow& front;
    std::string renamed;  // the title it takes while in front, if any
    std::string profile;
    WPARAM key;
  } steps[] = {{slides, "", "SlideShow.xml", VK_RIGHT},
               {notes, "", "Gamepad.xml", VK_RETURN},
               {notes, "Holiday - Slide Show", "SlideShow.xml", VK_RIGHT}};
  for (const auto& step : steps) {
    step.front.BringToFront();
    if (!step.renamed.empty()) step.front.Rename(step.renamed);
    window.WaitForText(IDC_LIVE_STATUS, "Profile: " + step.profile + "    Shift state: 0");
    const std::size_t before = step.front.KeysDown().size();
    folder.Plug(FakeController{.down = 1u << 5});
    program.WaitFor("button 6's key reaches the window in front", [&] {
      const auto& keys = step.front.KeysDown();
      return keys.size() > before && keys.back() == step.key;
    });
    folder.Plug(FakeController{});
  }
  program.UseIconMenu("Exit");
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
