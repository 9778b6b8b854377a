// The Joysticks page as a user meets it: filled from the simulated controllers and the
// configuration file, edited per controller, and merged into the file by Apply.

#include <fstream>
#include <tuple>

#include "WindowTestWorld.h"

namespace {

// What the page shows of the selected controller: profile file, enabled, a picture.
using Shows = std::tuple<std::string, bool, bool>;

const std::string kConfig = R"(<Configuration >
  <LaunchOnStartup value = "false" />
  <Actions fileName = "Actions.xml" />
  <Joysticks >
    <Joystick ID = "0" fileName = "Gamepad.xml" picture = "Pad.bmp" />
    <Joystick ID = "1" fileName = "Gamepad.xml" enabled = "false" >
      <Profile window = "Slide Show" fileName = "SlideShow.xml" />
    </Joystick>
    <Joystick ID = "2" fileName = "Missing.xml" />
    <Joystick ID = "5" fileName = "Gamepad.xml" />
  </Joysticks>
</Configuration>)";
const Items kPads = {"Pad Zero", "Pad One", "Pad Two", "Pad Three"};

class JoysticksPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.Write("Tandrel.exe.config", kConfig);
    // A 1 x 1 pixel, 24-bit bitmap.
    const char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0,  54, 0, 0, 0, 40, 0, 0, 0, 1,
                          0,   0,   0,  1, 0, 0, 0, 1, 0, 24, 0,  0, 0, 0, 0,  4, 0, 0, 0};
    std::ofstream(test.folder + "Pad.bmp", std::ios::binary).write(bmp, sizeof(bmp));
    for (int id = 0; id < 4; ++id) {
      test.world.joysticks().Plug(id, seam::MakeJoystickCaps("", 4, false, 0, 65535, kPads[id]));
    }
    test.StartConfiguration();
    Open();
  }
  // Opens the window, closing the one open before with Cancel.
  void Open() {
    open.reset();
    open.emplace(test);
    page = open->page;
  }
  Shows Shown() {
    const bool picture =
        SendMessageA(Control(page, IDC_JOY_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0) != 0 &&
        IsWindowVisible(Control(page, IDC_JOY_PICTURE));
    return {TextOf(page, IDC_JOY_PROFILE), IsChecked(page, IDC_JOY_ENABLED), picture};
  }

  WindowTestWorld test;
  std::optional<OpenWindow> open;
  HWND page = nullptr;
};

TEST_F(JoysticksPageTest, ShowsEachControllerKeepsItsEditsAndAppliesThemIntoTheFile) {
  EXPECT_EQ(ItemsOf(page, IDC_JOY_SELECT), kPads);
  EXPECT_FALSE(IsChecked(page, IDC_JOY_LAUNCH));
  // Enabled as the file says: disabled there, or no entry at all, is not enabled; a profile
  // that did not load is enabled yet, and said to have failed.
  const Shows filled[] = {{"Gamepad.xml", true, true},
                          {"Gamepad.xml", false, false},
                          {"Missing.xml", true, false},
                          {"", false, false}};
  for (int i : {1, 2, 3, 0}) {
    Choose(page, IDC_JOY_SELECT, kPads[i]);
    EXPECT_EQ(Shown(), filled[i]) << i;
    EXPECT_EQ(TextOf(page, IDC_JOY_STATE), i == 2 ? "(its profile could not be loaded)" : "");
  }
  EXPECT_FALSE(IsEnabledControl(open->dialog, IDC_APPLY));

  // Pad Zero loses its profile and keeps its picture.
  Click(page, IDC_JOY_REMOVE);
  EXPECT_EQ(Shown(), Shows("", false, true));
  // Pad Three gets a profile and a picture from the dialogs, stored with their full paths; a
  // path longer than the configuration file holds is refused at once.
  Choose(page, IDC_JOY_SELECT, "Pad Three");
  const std::string longPath = "C:\\" + std::string(249, 'd') + "\\P.xml";
  test.user.files = {longPath};
  Click(page, IDC_JOY_CHANGE);
  EXPECT_EQ(test.user.requests.back(),
            "message|The path \"" + longPath +
                "\" is 258 bytes long, and the configuration file holds paths of at most 255 "
                "bytes. Choose a file in a folder with a shorter path.|Error|" +
                std::to_string(MB_OK | MB_ICONERROR));
  EXPECT_EQ(Shown(), Shows("", false, false));
  test.user.files = {test.folder + "SlideShow.xml", test.folder + "Pad.bmp"};
  Click(page, IDC_JOY_CHANGE);
  SendMessageA(page, WM_COMMAND, ID_PICTURE_CHANGE, 0);
  // Pad One is enabled; launching on start-up is asked for.
  Choose(page, IDC_JOY_SELECT, "Pad One");
  Click(page, IDC_JOY_ENABLED);
  Click(page, IDC_JOY_LAUNCH);
  Choose(page, IDC_JOY_SELECT, "Pad Three");
  EXPECT_EQ(Shown(), Shows(test.folder + "SlideShow.xml", true, true));
  // A path longer than the box shows its end, the file name.
  EXPECT_GT(SendMessageA(Control(page, IDC_JOY_PROFILE), EM_GETFIRSTVISIBLELINE, 0, 0), 0);

  // Files that cannot be written are reported and stay whole; the window stays open with the
  // edits.
  test.world.messages().ClearLog();
  test.world.platform().files().SetFailing(seam::SimFiles::Step::Replace, true);
  Click(open->dialog, IDOK);
  EXPECT_EQ(test.Messages(),
            (Items{"Error: Coudln't save the configuration file\r\nThe file \"" + test.folder +
                   "Tandrel.exe.config\" could not be written: no space left "
                   "on device."}));
  EXPECT_EQ(test.Read("Tandrel.exe.config"), Xml(kConfig));
  test.world.messages().ClearLog();
  test.world.platform().files().SetFailing(seam::SimFiles::Step::Replace, false);
  test.started.clear();
  Click(open->dialog, IDC_APPLY);
  // Pad Zero keeps only its picture; the rules of Pad One, the failed profile's setting and the
  // unplugged controller's entry stay.
  const std::string pad3 = "    <Joystick ID = \"3\" fileName = \"" + test.folder +
                           "SlideShow.xml\" picture = \"" + test.folder + "Pad.bmp\" />\n";
  EXPECT_EQ(test.Read("Tandrel.exe.config"), Xml(R"(<Configuration >
  <LaunchOnStartup value = "true" />
  <Actions fileName = "Actions.xml" />
  <Joysticks >
    <Joystick ID = "0" picture = "Pad.bmp" enabled = "false" />
    <Joystick ID = "1" fileName = "Gamepad.xml" >
      <Profile window = "Slide Show" fileName = "SlideShow.xml" />
    </Joystick>
    <Joystick ID = "2" fileName = "Missing.xml" />
    <Joystick ID = "5" fileName = "Gamepad.xml" />
)" + pad3 + R"(  </Joysticks>
</Configuration>)"));
  EXPECT_EQ(test.started, (std::vector<std::pair<int, std::string>>{
                              {1, "Gamepad.xml"}, {3, test.folder + "SlideShow.xml"}}));
  EXPECT_EQ(test.world.startupEntry().Value("Tandrel"),
            "\"" + test.folder + "Tandrel.exe\" /NoConfigure");
  EXPECT_FALSE(IsEnabledControl(open->dialog, IDC_APPLY));

  // Closing without applying discards the edits (a picture removed through its menu); without
  // a controller nothing but "Launch On Startup" can be edited, and the page says why.
  const auto noControllerNote = [&] {
    return (GetWindowLongA(GetDlgItem(page, IDC_JOY_NONE), GWL_STYLE) & WS_VISIBLE) != 0;
  };
  EXPECT_FALSE(noControllerNote());
  Notify(page, IDC_JOY_PICTURE, STN_CLICKED);
  EXPECT_EQ(test.user.requests.back(), "menu|Change,Remove|-1");
  SendMessageA(page, WM_COMMAND, ID_PICTURE_REMOVE, 0);
  EXPECT_EQ(Shown(), Shows(test.folder + "SlideShow.xml", true, false));
  Notify(page, IDC_JOY_PICTURE, STN_CLICKED);  // nothing to remove now
  EXPECT_EQ(test.user.requests.back(), "menu|Change,[Remove]|-1");
  Open();
  Choose(page, IDC_JOY_SELECT, "Pad Three");
  EXPECT_EQ(Shown(), Shows(test.folder + "SlideShow.xml", true, true));
  for (int id = 0; id < 4; ++id) test.world.joysticks().Unplug(id);
  Open();
  EXPECT_FALSE(IsEnabledControl(page, IDC_JOY_SELECT) || IsEnabledControl(page, IDC_JOY_CHANGE));
  EXPECT_TRUE(IsEnabledControl(page, IDC_JOY_LAUNCH) && noControllerNote());
  // Only the profile that cannot be read, at each reload.
  EXPECT_EQ(test.Messages(),
            Items(2, "Configuration Error: Could not open the file \"Missing.xml\"."));
}

}  // namespace
