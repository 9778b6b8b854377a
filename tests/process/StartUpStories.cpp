// Tandrel.exe started as a user starts it, in a folder of its own: what it says when it cannot
// start, and its life behind the notification icon until "Exit".

#include <gtest/gtest.h>

#include "ProgramDriver.h"
#include "resource.h"

namespace {

using driver::Program;
using driver::ProgramFolder;

TEST(StartUp, WithoutItsConfigurationItSaysSoAndEndsWithoutAWindow) {
  ProgramFolder folder;
  Program program(folder, "/NOCONFIGURE");
  EXPECT_EQ(program.Answer("Configuration Error", IDOK),
            "Could not open the file \"" + folder.Path("Tandrel.exe.config") + "\".");
  EXPECT_EQ(program.WaitForExit(), DWORD(-1));
}

// Without Hook.dll it says so once and runs on, hidden ("/NoConfigure" counts in any case,
// anywhere on the command line), until "Exit" in the icon's menu.
TEST(StartUp, RunsBehindItsIconUntilExit) {
  ProgramFolder folder;
  folder.AddDefaultFiles();
  Program program(folder, "-x/noConfigureX");
  EXPECT_EQ(program.Answer("Error", IDOK),
            "Couldn't load the Hook dll, automatic profile switching will be turned off.");
  program.SendToMainWindow(WM_CLOSE, 0, 0);  // refused
  EXPECT_TRUE(program.IsRunning());
  EXPECT_FALSE(program.HasWindow("Tandrel Configuration"));
  program.UseIconMenu("Configuration");
  program.WaitForWindow("Tandrel Configuration").Click(IDCANCEL);
  EXPECT_FALSE(program.HasWindow("Tandrel Configuration"));
  program.UseIconMenu("Exit");
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
