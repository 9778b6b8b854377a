// The Joysticks page as a user meets it: filled from the simulated controllers and the
// configuration file, edited per controller, and merged into the file by Apply.
#include <gtest/gtest.h>
#include <windows.h>

#include <commdlg.h>

#include <fstream>
#include <optional>
#include <tuple>
#include <vector>

#include "WindowTestWorld.h"
#include "platform/sim/SimJoysticks.h"
#include "resource.h"

namespace {

using Items = std::vector<std::string>;
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

class JoysticksPageTest : public ::testing::Test {
 protected:
  void Start(std::vector<const char*> pads) {
    test.CopyDefaultFiles();
    test.Write("Tandrel.exe.config", kConfig);
    // A 1 x 1 pixel, 24-bit bitmap.
    const char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0,  54, 0, 0, 0, 40, 0, 0, 0, 1,
                          0,   0,   0,  1, 0, 0, 0, 1, 0, 24, 0,  0, 0, 0, 0,  4, 0, 0, 0};
    std::ofstream(test.folder + "Pad.bmp", std::ios::binary).write(bmp, sizeof(bmp));
    for (int id = 0; id < static_cast<int>(pads.size()); ++id) {
      test.world.joysticks().Plug(id, seam::MakeJoystickCaps("", 4, false, 0, 65535, pads[id]));
    }
    test.StartConfiguration();
    test.world.messages().ClearLog();  // Missing.xml
  }
  // Opens the window, closing the one open before with Cancel.
  HWND Open() {
    open.reset();
    open.emplace();
    return page = open->page;
  }
  Shows Shown() {
    const bool picture =
        SendMessageA(Control(page, IDC_JOY_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0) != 0 &&
        IsShown(page, IDC_JOY_PICTURE);
    return {TextOf(page, IDC_JOY_PROFILE), IsChecked(page, IDC_JOY_ENABLED), picture};
  }

  WindowTestWorld test;
  std::optional<OpenWindow> open;
  HWND page = nullptr;
};

TEST_F(JoysticksPageTest, ShowsEachControllerKeepsItsEditsAndAppliesThemIntoTheFile) {
  Start({"Pad Zero", "Pad One", "Pad Two", "Pad Three"});
  Open();
  LOGFONTA font = {};
  GetObjectA(
      reinterpret_cast<HFONT>(SendMessageA(Control(page, IDC_JOY_VERSION), WM_GETFONT, 0, 0)),
      sizeof(font), &font);
  EXPECT_EQ(std::to_string(font.lfHeight) + " " + std::to_string(font.lfWeight) + " " +
                std::to_string(font.lfUnderline) + " " + font.lfFaceName,
            "18 700 1 Times New Roman");
  EXPECT_EQ(ItemsOf(page, IDC_JOY_SELECT), (Items{"Pad Zero", "Pad One", "Pad Two", "Pad Three"}));
  EXPECT_EQ(SelectedText(page, IDC_JOY_SELECT), "Pad Zero");
  EXPECT_FALSE(IsChecked(page, IDC_JOY_LAUNCH));
  // Disabled in the file, a profile that did not load, no entry at all: not enabled.
  const Shows filled[] = {{"Gamepad.xml", true, true},
                          {"Gamepad.xml", false, false},
                          {"Missing.xml", false, false},
                          {"", false, false}};
  for (int i : {0, 1, 2, 3}) {
    Choose(page, IDC_JOY_SELECT, i);
    EXPECT_EQ(Shown(), filled[i]) << i;
  }
  EXPECT_FALSE(IsEnabledControl(open->dialog, IDC_APPLY));

  // Pad Three gets a profile and a picture from the dialogs, stored with their full paths.
  test.user.files = {test.folder + "SlideShow.xml", test.folder + "Pad.bmp"};
  Click(page, IDC_JOY_CHANGE);
  SendMessageA(page, WM_COMMAND, ID_PICTURE_CHANGE, 0);
  EXPECT_EQ(Shown(), Shows(test.folder + "SlideShow.xml", true, true));
  // Pad Zero loses profile and picture (the picture through its menu); Pad One is enabled.
  Choose(page, IDC_JOY_SELECT, 0);
  Click(page, IDC_JOY_REMOVE);
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_JOY_PICTURE, STN_CLICKED), 0);
  const std::string flags =
      std::to_string(OFN_LONGNAMES | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY);
  EXPECT_EQ(test.user.requests,
            (Items{"open file|Select Exisiting Configuration|XML Files|*.xml||" + test.folder +
                       "|" + flags,
                   "open file|Select A Bitmap|Bitmaps|*.bmp||" + test.folder + "|" + flags,
                   "menu|Change|-1"}));
  EXPECT_EQ(test.user.owners, std::vector<HWND>(3, page));
  SendMessageA(page, WM_COMMAND, ID_PICTURE_REMOVE, 0);
  EXPECT_EQ(Shown(), Shows("", false, false));
  Choose(page, IDC_JOY_SELECT, 1);
  Click(page, IDC_JOY_ENABLED);
  Click(page, IDC_JOY_LAUNCH);
  Choose(page, IDC_JOY_SELECT, 3);
  EXPECT_EQ(Shown(), Shows(test.folder + "SlideShow.xml", true, true));

  test.profiles.started.clear();
  Click(open->dialog, IDC_APPLY);
  // Pad Zero's entry goes, and so does the unplugged controller's; the rules of Pad One stay.
  const std::string pad3 = "    <Joystick ID = \"3\" fileName = \"" + test.folder +
                           "SlideShow.xml\" picture = \"" + test.folder + "Pad.bmp\" />\n";
  EXPECT_EQ(test.Read("Tandrel.exe.config"), Xml(R"(<Configuration >
  <LaunchOnStartup value = "true" />
  <Actions fileName = "Actions.xml" />
  <Joysticks >
    <Joystick ID = "1" fileName = "Gamepad.xml" >
      <Profile window = "Slide Show" fileName = "SlideShow.xml" />
    </Joystick>
    <Joystick ID = "2" fileName = "Missing.xml" enabled = "false" />
)" + pad3 + R"(  </Joysticks>
</Configuration>)"));
  EXPECT_EQ(test.profiles.started, (std::vector<std::pair<int, std::string>>{
                                       {1, "Gamepad.xml"}, {3, test.folder + "SlideShow.xml"}}));
  EXPECT_EQ(test.world.startupEntry().Value("Tandrel"), test.folder + "Tandrel.exe /NoConfigure");
  EXPECT_FALSE(IsEnabledControl(open->dialog, IDC_APPLY));

  Click(page, IDC_JOY_LAUNCH);
  open->Close(IDOK);
  EXPECT_FALSE(test.world.startupEntry().Value("Tandrel").has_value());
  // Only the profile that cannot be read, at each reload.
  EXPECT_EQ(test.Messages(),
            Items(2, "Configuration Error: Could not open the file \"Missing.xml\"."));
}

// A file that cannot be written is reported and stays whole, and the window stays open with
// the edits; closing without applying discards them; without a controller nothing can be edited.
TEST_F(JoysticksPageTest, UnsavedEditsAreReportedKeptAndDiscardedByClosing) {
  Start({"Pad Zero"});
  Open();
  test.world.platform().files().SetFailing(seam::SimFiles::Step::Replace, true);
  Click(page, IDC_JOY_REMOVE);
  Click(open->dialog, IDOK);
  EXPECT_EQ(test.Messages().at(0), "Error: Coudln't save the configuration file");
  EXPECT_EQ(test.Read("Tandrel.exe.config"), Xml(kConfig));
  EXPECT_TRUE(IsEnabledControl(open->dialog, IDC_APPLY));
  EXPECT_EQ(Shown(), Shows("", false, true));
  test.world.platform().files().SetFailing(seam::SimFiles::Step::Replace, false);
  open->Close(IDCANCEL);

  Open();
  EXPECT_EQ(Shown(), Shows("Gamepad.xml", true, true));
  test.world.joysticks().Unplug(0);
  Open();
  EXPECT_EQ(ItemsOf(page, IDC_JOY_SELECT), Items{});
  EXPECT_EQ(SelectedText(page, IDC_JOY_SELECT), "");
  for (int id : {IDC_JOY_LAUNCH, IDC_JOY_SELECT, IDC_JOY_CHANGE, IDC_JOY_REMOVE, IDC_JOY_ENABLED,
                 IDC_JOY_PICTURE}) {
    EXPECT_FALSE(IsEnabledControl(page, id)) << id;
  }
  EXPECT_EQ(Shown(), Shows("", false, false));
}

}  // namespace
