// Tandrel.exe started as a user starts it, in a folder of its own: what it says when it cannot
// start, and its life behind the notification icon until "Exit".

#include <gtest/gtest.h>

#include "ProgramDriver.h"
#include "resource.h"

namespace {

using namespace driver;

TEST(StartUp, WithoutItsConfigurationItSaysSoAndEndsWithoutAWindow) {
  ProgramFolder folder;
  Program program(folder, "/NOCONFIGURE");
  EXPECT_EQ(program.Answer("Configuration Error", IDOK),
            "Could not open the file \"" + folder.Path("Tandrel.exe.config") + "\".");
  EXPECT_EQ(program.WaitForExit(), DWORD(-1));
}

// A configuration with a typo is named with what is wrong and where, and the program ends; an
// actions file with a typo is named too (the box gives its folder), the program runs without
// actions, and an OK without edits leaves the file as the user wrote it.
TEST(StartUp, AFileWithATypoIsNamedWithWhereAndNeverWrittenOver) {
  ProgramFolder folder;
  folder.AddDefaultFiles().AddHook();
  std::string config = folder.Read("Tandrel.exe.config");
  const std::string actions =
      "<Actions>\r\n\t<VKActions>\r\n\t\t<VKAction theme=\"Keys\" name=\"A\"\r\n";
  folder.Put("Actions.xml", actions);
  {
    folder.Put("Tandrel.exe.config", "<Configuration>\r\n  <Actions fileName \"Actions.xml\"/>");
    Program program(folder);
    EXPECT_EQ(program.Answer("Configuration Error", IDOK),
              "The file \"" + folder.Path("Tandrel.exe.config") +
                  "\" is not valid: expected '=' after an attribute name, at line 2, column 21.");
    EXPECT_EQ(program.WaitForExit(), DWORD(-1));
  }
  folder.Put("Tandrel.exe.config", config);
  Program program(folder);
  EXPECT_EQ(program.Answer("Configuration Error", IDOK),
            "The file \"Actions.xml\" is not valid: expected '=' after an attribute name (end of "
            "file), at line 4, column 1.\r\n(" +
                folder.Path("Actions.xml") + ")");
  program.WaitForWindow("Tandrel Configuration").Click(IDOK);
  program.UseIconMenu("Exit");
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_EQ(folder.Read("Actions.xml"), actions);
  EXPECT_EQ(folder.Read("Actions.xml.bak"), "");
}

// One copy runs per program folder: starting it again brings up the running copy's window.
TEST(StartUp, ASecondStartBringsUpTheRunningCopysWindow) {
  ProgramFolder folder;
  folder.AddDefaultFiles().AddHook();
  Program first(folder, "/NOCONFIGURE");
  first.SendToMainWindow(WM_NULL, 0, 0);  // once it runs
  EXPECT_FALSE(first.HasWindow("Tandrel Configuration"));
  Program second(folder);
  EXPECT_EQ(second.WaitForExit(), 0u);
  first.WaitForWindow("Tandrel Configuration").Click(IDCANCEL);
  first.UseIconMenu("Exit");
  EXPECT_EQ(first.WaitForExit(), 0u);
}

// Without Hook.dll it says so once and runs on, hidden ("/NoConfigure" counts in any case,
// anywhere on the command line), until "Exit" in the icon's menu.
TEST(StartUp, RunsBehindItsIconUntilExit) {
  ProgramFolder folder;
  folder.AddDefaultFiles();
  Program program(folder, "-x/noConfigureX");
  EXPECT_EQ(program.Answer("Error", IDOK),
            "Couldn't load the Hook dll, automatic profile switching will be turned off.");
  program.SendToMainWindow(WM_CLOSE, 0, 0);  // refused: the next steps fail when it has ended
  EXPECT_FALSE(program.HasWindow("Tandrel Configuration"));
  program.UseIconMenu("Configuration");
  program.WaitForWindow("Tandrel Configuration").Click(IDCANCEL);
  EXPECT_FALSE(program.HasWindow("Tandrel Configuration"));
  program.UseIconMenu("Exit");
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
