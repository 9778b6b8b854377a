// Tandrel.exe started as a user starts it, in a folder of its own: what it says when it cannot
// start, and its life behind the notification icon until "Exit".

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "ProgramDriver.h"
#include "resource.h"

namespace {

using namespace driver;

constexpr const char* kWindow = "Tandrel Configuration";

// Without its configuration, or with a typo in it (named with what is wrong and where), the
// program says so and ends without a window; an actions file with a typo is named too (the box
// gives its folder), the program runs without actions, and an OK without edits leaves the file
// as the user wrote it.
TEST(StartUp, AFileWithATypoIsNamedWithWhereAndNeverWrittenOver) {
  ProgramFolder folder;
  const std::string config = folder.Path("Tandrel.exe.config");
  for (const std::string& message :
       {"Could not open the file \"" + config + "\".",
        "The file \"" + config +
            "\" is not valid: expected '=' after an attribute name, at line 2, column 21."}) {
    Program program(folder, "/NOCONFIGURE");
    EXPECT_EQ(program.Answer("Configuration Error", IDOK), message);
    EXPECT_EQ(program.WaitForExit(), DWORD(-1));
    folder.Put("Tandrel.exe.config", "<Configuration>\r\n  <Actions fileName \"Actions.xml\"/>");
  }
  const std::string actions =
      "<Actions>\r\n\t<VKActions>\r\n\t\t<VKAction theme=\"Keys\" name=\"A\"\r\n";
  std::filesystem::remove(config);
  folder.AddDefaultFiles().Put("Actions.xml", actions);
  Program program(folder);
  EXPECT_EQ(program.Answer("Configuration Error", IDOK),
            "The file \"Actions.xml\" is not valid: expected '=' after an attribute name (end of "
            "file), at line 4, column 1.\r\n(" +
                folder.Path("Actions.xml") + ")");
  program.WaitForWindow(kWindow).Click(IDOK);
  program.ExitThroughIconMenu();
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_EQ(folder.Read("Actions.xml"), actions);
  EXPECT_EQ(folder.Read("Actions.xml.bak"), "");
}

// One Tandrel runs per user session: a start from another folder (an unzipped copy beside an
// installed one) ends, and the running copy opens its window and says where it runs from. Asked
// to exit then by the installer (the "Exit" command, as it sends it) or by the end of the
// session while the window holds edits not applied, Tandrel asks first: Cancel keeps it running
// with them, No drops them and Yes applies them as it exits. (Without edits it exits at once:
// tests/app.) The first copy runs hidden ("/NoConfigure" counts in any case, anywhere on the
// command line) and refuses WM_CLOSE.
TEST(StartUp, OneRunsPerSessionAndAnExitWithEditsNotAppliedAsksFirst) {
  ProgramFolder folder, other;
  folder.AddDefaultFiles().Plug(FakeController{});
  other.AddDefaultFiles();
  const std::string gamepad = folder.Read("Gamepad.xml"), where = folder.Path("");
  for (const auto& [ask, wParam, answer] :
       {std::tuple{WM_COMMAND, ID_EXIT, IDNO}, {WM_QUERYENDSESSION, 0, IDYES}}) {
    Program first(folder, "-x/noConfigureX");
    first.SendToMainWindow(WM_CLOSE, 0, 0);  // refused: the next steps fail when it has ended
    EXPECT_EQ(Program(other).WaitForExit(), 0u);
    Window window = first.WaitForWindow(kWindow);  // shown behind the message about it
    EXPECT_EQ(first.Answer("Tandrel", IDOK),
              "Tandrel is already running from \"" + where.substr(0, where.size() - 1) +
                  "\".\r\nOnly one Tandrel runs at a time, or every input would be sent "
                  "twice: this is its configuration window.");
    window.ChooseTab(kProfilesTab);
    window.Type(IDC_PROF_DELAY, "25");
    first.SendToMainWindow(ask, wParam, 0);
    EXPECT_EQ(first.Answer("Tandrel", IDCANCEL),
              "Tandrel is asked to exit, but the configuration window holds changes that are "
              "not applied.\r\nDo you want to apply them first?");
    first.SendToMainWindow(ask, wParam, 0);
    first.Answer("Tandrel", answer);
    if (ask == WM_QUERYENDSESSION) first.SendToMainWindow(WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(first.WaitForExit(), 0u);
    EXPECT_EQ(folder.Read("Gamepad.xml") != gamepad, answer == IDYES);
  }
}

}  // namespace
