// The configuration window of Tandrel.exe as a user meets it, one story a tab: its real message
// boxes and file dialogs, and the files it writes.

#include <gtest/gtest.h>

#include "ProgramDriver.h"
#include "resource.h"

namespace {

using namespace driver;

constexpr const char* kWindow = "Tandrel Configuration";
constexpr const char* kProfileDialog = "Select A Configuration File";

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Two controllers from the stand-in winmm.dll, each starting with its configured profile; the
// second one is given another profile through the real open dialog.
TEST(JoysticksTab, ShowsEachControllerAndChangesItsProfile) {
  ProgramFolder folder;
  folder.AddDefaultFiles();
  folder.Plug(FakeController{.id = 0, .name = "Fake Pad"});
  folder.Plug(FakeController{.id = 2, .name = "Other Pad", .axes = "XY", .buttons = 4});
  Program program(folder);
  Window window = program.WaitForWindow(kWindow);
  EXPECT_EQ(window.Items(IDC_JOY_SELECT), (std::vector<std::string>{"Fake Pad", "Other Pad"}));
  EXPECT_EQ(window.Text(IDC_JOY_PROFILE), "Gamepad.xml");
  EXPECT_TRUE(window.IsChecked(IDC_JOY_ENABLED));  // its profile loaded at start-up
  window.Choose(IDC_JOY_SELECT, "Other Pad");
  window.Click(IDC_JOY_CHANGE);
  program.ChooseFile("Select Exisiting Configuration", folder.Path("SlideShow.xml"));
  EXPECT_EQ(window.Text(IDC_JOY_PROFILE), folder.Path("SlideShow.xml"));
  window.Click(IDOK);
  EXPECT_FALSE(window.IsOpen());
  const std::string config = folder.Read("Tandrel.exe.config");
  EXPECT_TRUE(Contains(config, "<Joystick ID = \"0\" fileName = \"Gamepad.xml\" >")) << config;
  EXPECT_TRUE(Contains(
      config, "<Joystick ID = \"2\" fileName = \"" + folder.Path("SlideShow.xml") + "\" >"))
      << config;
}

// Every question of the Profile tab through the real message boxes and file dialogs: save the
// changed profile first (Cancel, then Yes while another program holds the file, so that the save
// fails), replace a file (the program's own are refused), and use a file that is not a profile
// (No).
TEST(ProfilesTab, AsksBeforeLosingEditsAndSaysWhenASaveFails) {
  ProgramFolder folder;
  folder.AddDefaultFiles().Put("Notes.xml", "<Notes />\r\n");
  folder.Plug(FakeController{});
  const std::string gamepad = folder.Read("Gamepad.xml");
  Program program(folder);
  Window window = program.WaitForWindow(kWindow);
  window.ClickTab("Profiles");
  EXPECT_EQ(window.Text(IDC_PROF_FILE), "Gamepad.xml");
  window.Type(IDC_PROF_DELAY, "25");
  window.Click(IDC_PROF_OPEN);
  EXPECT_EQ(program.Answer("One Moment...", IDCANCEL),
            "You made changes to the current profile.\r\nDo you want to save it first?");
  {
    const auto editor = folder.KeepOpen("Gamepad.xml");
    window.Click(IDC_PROF_OPEN);
    program.Answer("One Moment...", IDYES);
    EXPECT_TRUE(Contains(program.Answer("Warning", IDOK),
                         "Couldn't open the Profile for writing (no changes made).\r\nThe file "
                         "\"Gamepad.xml\" could not be written: "));
  }
  EXPECT_EQ(folder.Read("Gamepad.xml"), gamepad);
  const std::string actions = folder.Read("Actions.xml");
  EXPECT_FALSE(program.HasWindow(kProfileDialog));  // nothing else is opened over the edits
  EXPECT_TRUE(window.IsEnabled(IDC_APPLY));

  // The save dialog asks before it replaces a file; the program's own files are refused even
  // after a Yes, and another profile replaced is kept beside it.
  for (const auto& [own, what] : {std::pair{"Actions.xml", "the actions file"},
                                  std::pair{"Tandrel.exe.config", "the configuration file"}}) {
    window.Click(IDC_PROF_SAVE_AS);
    program.ChooseFile(kProfileDialog, folder.Path(own));
    EXPECT_TRUE(Contains(program.Answer(kProfileDialog, IDYES), "already exists"));
    EXPECT_EQ(program.Answer("Error", IDOK),
              "The file \"" + folder.Path(own) + "\" cannot be a profile: it is " + what + ".");
  }
  EXPECT_EQ(window.Text(IDC_PROF_FILE), "Gamepad.xml");
  const std::string slideShow = folder.Read("SlideShow.xml");
  window.Click(IDC_PROF_SAVE_AS);
  program.ChooseFile(kProfileDialog, folder.Path("SlideShow.xml"));
  program.Answer(kProfileDialog, IDYES);
  EXPECT_EQ(window.Text(IDC_PROF_FILE), folder.Path("SlideShow.xml"));
  EXPECT_TRUE(Contains(folder.Read("SlideShow.xml"), "<Joystick delay = \"25\" >"));
  EXPECT_EQ(folder.Read("SlideShow.xml.bak"), slideShow);
  window.Click(IDC_PROF_OPEN);  // saved: no question
  program.ChooseFile(kProfileDialog, folder.Path("Notes.xml"));
  EXPECT_EQ(program.Answer("Warning", IDNO),
            "The file \"" + folder.Path("Notes.xml") +
                "\" doesn't seem to be a valid Tandrel Profile.\r\nIf you save a profile in "
                "this file you'll lose any other data this file contains.\r\nAre you sure you "
                "want to use it?");
  program.WaitForWindow(kProfileDialog).Click(IDCANCEL);  // No asks for another file
  EXPECT_FALSE(window.IsEnabled(IDC_PROF_DELAY));
  EXPECT_EQ(folder.Read("Actions.xml"), actions);
  EXPECT_EQ(folder.Files(),
            (std::vector<std::string>{"Actions.xml", "Gamepad.xml", "Notes.xml", "SlideShow.xml",
                                      "SlideShow.xml.bak", "Tandrel.exe", "Tandrel.exe.config",
                                      "controllers.txt", "winmm.dll"}));
}

// The Actions tab's refusals come as message boxes owned by the window, which stays; what is
// saved reaches the actions file with OK.
TEST(ActionsTab, RefusesWhatItCannotSaveAndWritesWhatItSaves) {
  ProgramFolder folder;
  folder
      .Put("Tandrel.exe.config",
           "<Configuration >\r\n\t<Actions fileName = \"Actions.xml\" />\r\n\t<Joysticks />\r\n"
           "</Configuration>\r\n")
      .Put("Actions.xml", "<Actions />\r\n");
  Program program(folder);
  Window window = program.WaitForWindow(kWindow);
  window.ClickTab("Actions");
  window.Type(IDC_ACT_THEME, "Game");
  window.Type(IDC_ACT_NAME, "Say \"it's\"");
  window.Click(IDC_ACT_SAVE);
  EXPECT_EQ(program.Answer("Error", IDOK), "The Action Name cannot contain both:', and \"");
  window.Type(IDC_ACT_NAME, "Jump");
  window.Click(IDC_ACT_SAVE);
  EXPECT_EQ(program.Answer("Error", IDOK),
            "Choose the type of the new action first: Virtual Key, Mouse Movement, Mouse Wheel "
            "or Combination.");
  window.Click(IDC_ACT_TYPE_VK);
  window.Type(IDC_VK_KEY, " ");
  window.Click(IDC_ACT_SAVE);
  EXPECT_FALSE(window.IsEnabled(IDC_ACT_TYPE_VK));  // Jump exists now: its type is fixed
  window.Click(IDOK);
  EXPECT_FALSE(window.IsOpen());
  EXPECT_TRUE(Contains(folder.Read("Actions.xml"),
                       "<VKAction theme = \"Game\" name = \"Jump\" type = \"Hold\" value = "
                       "\"0x20\" />"))
      << folder.Read("Actions.xml");
  program.UseIconMenu("Exit");
  EXPECT_EQ(program.WaitForExit(), 0u);
}

// Cancel reads the files again: a typo made meanwhile in the configuration is named with where
// it is, the settings in force stay (the controller goes on), and the file stays as written.
TEST(ConfigurationWindow, ACancelThatMeetsATypoKeepsTheControllerWorking) {
  ProgramFolder folder;
  folder.AddDefaultFiles();
  folder.Plug(FakeController{});
  Program program(folder);
  Window window = program.WaitForWindow(kWindow);
  const std::string typo = "<Configuration>\r\n  <Actions fileName \"Actions.xml\"/>";
  folder.Put("Tandrel.exe.config", typo);
  window.Click(IDCANCEL);
  EXPECT_EQ(program.Answer("Configuration Error", IDOK),
            "The file \"" + folder.Path("Tandrel.exe.config") +
                "\" is not valid: expected '=' after an attribute name, at line 2, column 21.\r\n"
                "The previous settings stay in force.");
  program.WatchKeys();
  folder.Plug(FakeController{.hat = 0});  // the hat up: the Up arrow
  program.WaitForKey(VK_UP);
  folder.Plug(FakeController{});
  program.UseIconMenu("Exit");
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_EQ(folder.Read("Tandrel.exe.config"), typo);
}

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
  window.ClickTab("Live View");
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
  program.UseIconMenu("Exit");
  EXPECT_EQ(program.WaitForExit(), 0u);
  DestroyWindow(slides);
  DestroyWindow(notes);
}

}  // namespace
