// The Joysticks page as a user meets it: filled from the simulated controllers and the
// configuration file, edited per controller, and merged into the file by Apply.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <filesystem>
#include <vector>

#include "UserActions.h"
#include "WindowTestWorld.h"
#include "platform/sim/SimJoysticks.h"
#include "resource.h"
#include "ui/JoysticksConfigurationDlg.h"
#include "ui/TandrelConfigDlg.h"

namespace {

using Items = std::vector<std::string>;
// What the page shows of the selected controller: profile file, enabled, a picture.
using Shows = std::tuple<std::string, bool, bool>;

Items Texts(const std::vector<seam::MessageRecord>& log) {
  Items texts;
  for (const auto& message : log) texts.push_back(message.caption + ": " + message.text);
  return texts;
}

std::string Crlf(const std::string& text) {
  std::string bytes;
  for (char c : text) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return bytes;
}

const std::string kConfig =
    "<Configuration >\n"
    "\t<LaunchOnStartup value = \"false\" />\n"
    "\t<Actions fileName = \"Actions.xml\" />\n"
    "\t<Joysticks >\n"
    "\t\t<Joystick ID = \"0\" fileName = \"Gamepad.xml\" picture = \"Pad.bmp\" />\n"
    "\t\t<Joystick ID = \"1\" fileName = \"Gamepad.xml\" enabled = \"false\" >\n"
    "\t\t\t<Profile window = \"Slide Show\" fileName = \"SlideShow.xml\" />\n"
    "\t\t</Joystick>\n"
    "\t\t<Joystick ID = \"2\" fileName = \"Missing.xml\" />\n"
    "\t\t<Joystick ID = \"5\" fileName = \"Gamepad.xml\" />\n"
    "\t</Joysticks>\n"
    "</Configuration>\n";

class JoysticksPageTest : public ::testing::Test {
 protected:
  void Start(std::vector<const char*> pads) {
    test.CopyDefaultFiles();
    test.Write("Tandrel.exe.config", kConfig);
    // A 1 x 1 pixel, 24-bit bitmap (no byte is a line feed).
    const char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0,  54, 0, 0, 0, 40, 0, 0, 0, 1,
                          0,   0,   0,  1, 0, 0, 0, 1, 0, 24, 0,  0, 0, 0, 0,  4, 0, 0, 0};
    test.Write("Pad.bmp", std::string(bmp, sizeof(bmp)));
    for (int id = 0; id < static_cast<int>(pads.size()); ++id) {
      test.world.joysticks().Plug(id, seam::MakeJoystickCaps("", 4, false, 0, 65535, pads[id]));
    }
    test.StartConfiguration();
    test.world.messages().ClearLog();  // Missing.xml
  }
  // Opens the window and returns the page.
  HWND Open() {
    program = std::make_unique<ModalThread>([&] { return window.DoModal(); });
    dialog = program->WaitForWindow("Tandrel Configuration");
    return dialog == nullptr ? nullptr : window.JoysticksPage()->GetHandle();
  }
  void Close(int button) {
    Click(dialog, button);
    program->Join();
  }
  Shows Shown(HWND page) {
    const bool picture =
        SendMessageA(Control(page, IDC_JOY_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0) != 0 &&
        IsShown(page, IDC_JOY_PICTURE);
    return {TextOf(page, IDC_JOY_PROFILE), IsChecked(page, IDC_JOY_ENABLED), picture};
  }

  WindowTestWorld test;
  CTandrelConfigDlg window{nullptr};
  std::unique_ptr<ModalThread> program;
  HWND dialog = nullptr;
};

TEST_F(JoysticksPageTest, ShowsEachControllerKeepsItsEditsAndAppliesThemIntoTheFile) {
  Start({"Pad Zero", "Pad One", "Pad Two", "Pad Three"});
  HWND page = Open();
  ASSERT_NE(page, nullptr);
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
    EXPECT_EQ(Shown(page), filled[i]) << i;
  }
  EXPECT_FALSE(IsEnabledControl(dialog, IDC_APPLY));

  // Pad Three gets a profile and a picture from the dialogs, stored with their full paths.
  test.user.files = {test.folder + "SlideShow.xml", test.folder + "Pad.bmp"};
  Click(page, IDC_JOY_CHANGE);
  SendMessageA(page, WM_COMMAND, ID_PICTURE_CHANGE, 0);
  EXPECT_EQ(Shown(page), Shows(test.folder + "SlideShow.xml", true, true));
  // Pad Zero loses profile and picture (the picture through its menu); Pad One is enabled.
  Choose(page, IDC_JOY_SELECT, 0);
  Click(page, IDC_JOY_REMOVE);
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_JOY_PICTURE, STN_CLICKED), 0);
  Items asked;
  for (const UiRequest& request : test.user.requests) {
    asked.push_back(request.kind + "|" + request.text + "|" + request.caption);
    EXPECT_EQ(request.owner, page);
  }
  EXPECT_EQ(asked,
            (Items{"open file|Select Exisiting Configuration|XML Files|*.xml||" + test.folder,
                   "open file|Select A Bitmap|Bitmaps|*.bmp||" + test.folder, "menu|Change|"}));
  EXPECT_EQ(test.user.requests[0].flags,
            UINT{OFN_LONGNAMES | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY});
  SendMessageA(page, WM_COMMAND, ID_PICTURE_REMOVE, 0);
  EXPECT_EQ(Shown(page), Shows("", false, false));
  Choose(page, IDC_JOY_SELECT, 1);
  Click(page, IDC_JOY_ENABLED);
  Click(page, IDC_JOY_LAUNCH);
  Choose(page, IDC_JOY_SELECT, 3);
  EXPECT_EQ(Shown(page), Shows(test.folder + "SlideShow.xml", true, true));

  test.profiles.started.clear();
  Click(dialog, IDC_APPLY);
  // Pad Zero's entry goes, and so does the unplugged controller's; the rules of Pad One stay.
  EXPECT_EQ(test.Read("Tandrel.exe.config"),
            Crlf("<Configuration >\n"
                 "\t<LaunchOnStartup value = \"true\" />\n"
                 "\t<Actions fileName = \"Actions.xml\" />\n"
                 "\t<Joysticks >\n"
                 "\t\t<Joystick ID = \"1\" fileName = \"Gamepad.xml\" >\n"
                 "\t\t\t<Profile window = \"Slide Show\" fileName = \"SlideShow.xml\" />\n"
                 "\t\t</Joystick>\n"
                 "\t\t<Joystick ID = \"2\" fileName = \"Missing.xml\" enabled = \"false\" />\n"
                 "\t\t<Joystick ID = \"3\" fileName = \"" +
                 test.folder + "SlideShow.xml\" picture = \"" + test.folder +
                 "Pad.bmp\" />\n"
                 "\t</Joysticks>\n"
                 "</Configuration>\n"));
  EXPECT_EQ(test.profiles.started, (std::vector<std::pair<int, std::string>>{
                                       {1, "Gamepad.xml"}, {3, test.folder + "SlideShow.xml"}}));
  EXPECT_EQ(test.world.startupEntry().Value("Tandrel"), test.folder + "Tandrel.exe /NoConfigure");
  EXPECT_FALSE(IsEnabledControl(dialog, IDC_APPLY));

  Click(page, IDC_JOY_LAUNCH);
  Close(IDOK);
  EXPECT_FALSE(test.world.startupEntry().Value("Tandrel").has_value());
  // Only the profile that cannot be read, at each reload.
  EXPECT_EQ(Texts(test.world.messages().Log()),
            Items(2, "Configuration Error: Could not open the file \"Missing.xml\"."));
}

// A file that cannot be written is reported and stays whole; closing without applying then
// discards the page's edits; without a controller nothing can be edited.
TEST_F(JoysticksPageTest, UnsavedEditsAreReportedKeptAndDiscardedByClosing) {
  Start({"Pad Zero"});
  test.world.platform().files().SetFailing(seam::SimFiles::Step::Replace, true);
  HWND page = Open();
  ASSERT_NE(page, nullptr);
  Click(page, IDC_JOY_REMOVE);
  Click(dialog, IDOK);
  // The page's save, then the reload's own rewrite of the file.
  EXPECT_EQ(Texts(test.world.messages().Log()),
            (Items{"Error: Coudln't save the configuration file",
                   "Configuration Error: Could not open the file \"" + test.folder +
                       "Tandrel.exe.config\"."}));
  EXPECT_EQ(test.Read("Tandrel.exe.config"), Crlf(kConfig));
  EXPECT_TRUE(IsEnabledControl(dialog, IDC_APPLY));  // the window stays open with the edits
  EXPECT_EQ(Shown(page), Shows("", false, true));
  test.world.platform().files().SetFailing(seam::SimFiles::Step::Replace, false);
  Close(IDCANCEL);

  page = Open();
  EXPECT_EQ(Shown(page), Shows("Gamepad.xml", true, true));
  test.world.joysticks().Unplug(0);
  Close(IDCANCEL);

  page = Open();
  EXPECT_EQ(ItemsOf(page, IDC_JOY_SELECT), Items{});
  EXPECT_EQ(SelectedText(page, IDC_JOY_SELECT), "");
  for (int id : {IDC_JOY_LAUNCH, IDC_JOY_SELECT, IDC_JOY_CHANGE, IDC_JOY_REMOVE, IDC_JOY_ENABLED,
                 IDC_JOY_PICTURE}) {
    EXPECT_FALSE(IsEnabledControl(page, id)) << id;
  }
  EXPECT_EQ(Shown(page), Shows("", false, false));
  Close(IDCANCEL);
}

}  // namespace
