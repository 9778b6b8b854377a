// Every folder and file name Windows allows works: names are UTF-8 in the files and in the
// program, from the program's own folder to the files named in the configuration and those
// chosen in the real open and save dialogs, and so are the names of controllers (two of them,
// the second at ID 2).

#include <gtest/gtest.h>

#include "ProgramDriver.h"
#include "resource.h"

namespace {

using namespace driver;

TEST(Names, CyrillicJapaneseAndAccentedNamesWork) {
  ProgramFolder folder("Игры ゲーム");
  folder.AddDefaultFileAs("Actions.xml", "Aktionen-é.xml")
      .AddDefaultFileAs("Gamepad.xml", "Профиль.xml")
      .AddDefaultFileAs("SlideShow.xml", "ゲーム.xml")
      .Put("Tandrel.exe.config",
           "<Configuration >\r\n\t<Actions fileName = \"Aktionen-é.xml\" />\r\n\t<Joysticks >\r\n"
           "\t\t<Joystick ID = \"0\" fileName = \"Профиль.xml\" />\r\n\t</Joysticks>\r\n"
           "</Configuration>\r\n")
      .Put("Профиль.xml", "<Joystick ID = \"0\" name = \"Manette é\" delay = \"20\" >" +
                              folder.Read("Профиль.xml").substr(24));
  folder.Plug(FakeController{.name = "Manette é"});
  folder.Plug(FakeController{.id = 2, .name = "Other Pad", .axes = "XY", .buttons = 4});
  Program program(folder);
  Window window = program.WaitForWindow("Tandrel Configuration");
  // The controller's name is the one in its profile: no question whether it fits.
  EXPECT_FALSE(program.HasWindow("Configuration Error") || program.HasWindow("Warning..."));
  EXPECT_EQ(window.Items(IDC_JOY_SELECT), (std::vector<std::string>{"Manette é", "Other Pad"}));
  EXPECT_EQ(window.Text(IDC_JOY_PROFILE), "Профиль.xml");
  EXPECT_TRUE(window.IsChecked(IDC_JOY_ENABLED));  // the profile loaded, with its actions
  window.Click(IDC_JOY_CHANGE);
  program.ChooseFile("Select Exisiting Configuration", folder.Path("ゲーム.xml"));
  window.ChooseTab(kProfilesTab);
  EXPECT_EQ(window.Text(IDC_PROF_FILE), "Профиль.xml");
  EXPECT_FALSE(window.Items(IDC_PROF_THEME).empty());
  // The save dialog asks before it replaces a file; the one replaced is kept beside it.
  window.Click(IDC_PROF_SAVE_AS);
  program.ChooseFile("Select A Configuration File", folder.Path("ゲーム.xml"));
  EXPECT_NE(program.Answer("Select A Configuration File", IDYES).find("already exists"),
            std::string::npos);
  EXPECT_EQ(window.Text(IDC_PROF_FILE), folder.Path("ゲーム.xml"));
  window.Click(IDOK);
  EXPECT_FALSE(window.IsOpen());
  const std::string config = folder.Read("Tandrel.exe.config");
  EXPECT_NE(config.find("fileName = \"" + folder.Path("ゲーム.xml") + "\""), std::string::npos)
      << config;
  EXPECT_NE(config.find("fileName = \"Aktionen-é.xml\""), std::string::npos) << config;
  program.ExitThroughIconMenu();
  EXPECT_EQ(program.WaitForExit(), 0u);
  // No stray file with a garbled name.
  EXPECT_EQ(folder.Files(),
            (std::vector<std::string>{"Aktionen-é.xml", "Tandrel.exe", "Tandrel.exe.config",
                                      "controllers.txt", "winmm.dll", "Профиль.xml", "ゲーム.xml",
                                      "ゲーム.xml.bak"}));
}

// A program path beyond the 240 characters the old program held for its own name: every file is
// read and written by its whole path. While another program holds the configuration open, OK
// says why it cannot be saved, leaves the file whole and the window open.
TEST(Names, AProgramPathBeyond240CharactersWorks) {
  ProgramFolder folder(std::string(95, 'a') + "/" + std::string(95, 'b'));
  folder.AddDefaultFiles();
  folder.Plug(FakeController{});
  Program program(folder);
  ASSERT_GT(folder.Path("Tandrel.exe").size(), 240u);
  Window window = program.WaitForWindow("Tandrel Configuration");
  EXPECT_FALSE(program.HasWindow("Configuration Error"));
  EXPECT_TRUE(window.IsChecked(IDC_JOY_ENABLED));  // its profile loaded
  window.Click(IDC_JOY_LAUNCH);
  const std::string config = folder.Read("Tandrel.exe.config");
  {
    const auto editor = folder.KeepOpen("Tandrel.exe.config");
    window.Click(IDOK);
    const std::string file = "\"" + folder.Path("Tandrel.exe.config") + "\"";
    EXPECT_EQ(program.Answer("Configuration Error", IDOK),
              "2 problems were found in " + file + ":\r\n\r\nCould not open the file " + file +
                  ": permission denied.\r\n\r\nThe file " + file +
                  " could not be read, and no copy of it could be kept beside it, so it was not "
                  "written.");
  }
  EXPECT_EQ(folder.Read("Tandrel.exe.config"), config);
  window.Click(IDOK);
  EXPECT_FALSE(program.HasWindow("Configuration Error"));
  EXPECT_NE(folder.Read("Tandrel.exe.config").find("<LaunchOnStartup value = \"true\""),
            std::string::npos);
  program.ExitThroughIconMenu();
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
