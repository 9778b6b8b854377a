// The Profile tab as a user meets it: profiles loaded, edited through the page's controls and
// written by Apply or "Save As", compared byte for byte; refused files and failed saves.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <array>
#include <memory>
#include <sstream>
#include <vector>

#include "UserActions.h"
#include "WindowTestWorld.h"
#include "platform/sim/SimJoysticks.h"
#include "profileedit/ProfileDocument.h"
#include "resource.h"
#include "ui/ProfileConfigurationDlg.h"
#include "ui/TandrelConfigDlg.h"

namespace {

// The writer's bytes for lines indented by two blanks per level.
std::string Written(const std::string& text) {
  std::istringstream in(text);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    const size_t blanks = line.find_first_not_of(' ');
    out += std::string(blanks / 2, '\t') + line.substr(blanks) + "\r\n";
  }
  return out;
}

class ProfileTabTest : public ::testing::Test {
 protected:
  void Start(const char* profileFile) {
    test.CopyDefaultFiles();
    test.Write("Tandrel.exe.config",
               std::string("<Configuration >\n<Actions fileName = \"Actions.xml\" />\n"
                           "<Joysticks >\n<Joystick ID = \"0\" fileName = \"") +
                   profileFile + "\" />\n</Joysticks>\n</Configuration>\n");
    test.world.joysticks().Plug(0, seam::MakeJoystickCaps("XY", 8, true, 0, 65535, "Pad One"));
    test.StartConfiguration();
    program = std::make_unique<ModalThread>([&] { return window.DoModal(); });
    dialog = program->WaitForWindow("Tandrel Configuration");
    ASSERT_NE(dialog, nullptr);
    SelectTab(dialog, IDC_TABS, 1);
    page = window.ProfilePage()->GetHandle();
  }
  void TearDown() override {
    if (program && IsWindow(dialog)) Click(dialog, IDCANCEL);
  }
  // A request to the user, counted from the last, as "kind|text|caption|flags"; all of them
  // are owned by the page.
  std::string Request(size_t fromEnd) const {
    const UiRequest& r = test.user.requests.at(test.user.requests.size() - 1 - fromEnd);
    EXPECT_EQ(r.owner, page);
    return r.kind + "|" + r.text + "|" + r.caption + "|" + std::to_string(r.flags);
  }
  const std::string kSaveFailed = std::string("message|") + profileedit::kSaveFailedText +
                                  "|Warning|" + std::to_string(MB_ICONWARNING);

  WindowTestWorld test;
  CTandrelConfigDlg window{nullptr};
  std::unique_ptr<ModalThread> program;
  HWND dialog = nullptr;
  HWND page = nullptr;
};

TEST_F(ProfileTabTest, EditsReachTheProfileThroughItsControls) {
  test.Write("Pad.xml", R"(<Joystick ID = "0" name = "Pad One" >
<Buttons ><Button number = "1" ><Actions >
<Action number = "0" theme = "keys" name = "escape" />
</Actions></Button></Buttons>
<Axes ><Axis name = "X Axis" threshold = "500" /></Axes>
</Joystick>)");
  Start("Pad.xml");
  // Loading fills in the delay and raises the threshold without counting as a change.
  EXPECT_FALSE(IsEnabledControl(dialog, IDC_APPLY));
  EXPECT_EQ(TextOf(page, IDC_PROF_DELAY), "30");
  EXPECT_EQ(TextOf(page, IDC_PROF_THRESHOLD), "500");
  EXPECT_EQ(SelectedText(page, IDC_PROF_THEME), "Keys");
  EXPECT_EQ(SelectedText(page, IDC_PROF_ACTION), "Escape");

  // Typed digit by digit: "7" stores the least threshold, which the profile already holds.
  Erase(page, IDC_PROF_THRESHOLD);
  Type(page, IDC_PROF_THRESHOLD, "7");
  EXPECT_FALSE(IsEnabledControl(dialog, IDC_APPLY));
  Type(page, IDC_PROF_THRESHOLD, "000");
  EXPECT_TRUE(IsEnabledControl(dialog, IDC_APPLY));

  // Buttons 5 and 2 become shift buttons, 2 moves up and leaves again: 5 is shift button 1.
  Choose(page, IDC_PROF_AVAILABLE, "Button 5");
  Click(page, IDC_PROF_ADD);
  Choose(page, IDC_PROF_AVAILABLE, "Button 2");
  DoubleClick(page, IDC_PROF_AVAILABLE);
  Click(page, IDC_PROF_UP);
  EXPECT_EQ(ItemsOf(page, IDC_PROF_SHIFT_BUTTONS),
            (std::vector<std::string>{"Button 2", "Button 5"}));
  DoubleClick(page, IDC_PROF_SHIFT_BUTTONS);
  EXPECT_EQ(SelectedText(page, IDC_PROF_AVAILABLE), "Button 2");
  EXPECT_EQ(ItemsOf(page, IDC_PROF_SHIFT_STATE),
            (std::vector<std::string>{"No Shift Button", "Shift Button 1"}));

  Choose(page, IDC_PROF_AXIS, "Y Axis");
  Choose(page, IDC_PROF_AXIS_TYPE, "Vertical");
  const auto elements = ItemsOf(page, IDC_PROF_ELEMENT);
  ASSERT_EQ(elements.size(), 48u);
  EXPECT_EQ(elements[34] + "|" + elements[35], "Up Y Axis|Down Y Axis");

  // Element, percent (empty: the percent list is hidden), theme and action, in shift state 1.
  Choose(page, IDC_PROF_SHIFT_STATE, 1);
  for (const auto& [element, percent, theme, action] :
       std::vector<std::array<std::string, 4>>{{"Button 3", "", "Keys", "Enter"},
                                               {"Down Y Axis", "50", "Keys", "Tab"},
                                               {"POV Left", "", "Mouse", "Left Button"}}) {
    Choose(page, IDC_PROF_ELEMENT, element);
    EXPECT_EQ(IsShown(page, IDC_PROF_PERCENT), !percent.empty());
    if (!percent.empty()) Choose(page, IDC_PROF_PERCENT, percent);
    Choose(page, IDC_PROF_THEME, theme);
    Choose(page, IDC_PROF_ACTION, action);
  }
  // "<<None>>" for the only action of button 1 takes the button out of the profile.
  Choose(page, IDC_PROF_ELEMENT, "Button 1");
  Choose(page, IDC_PROF_SHIFT_STATE, 0);
  EXPECT_EQ(SelectedText(page, IDC_PROF_ACTION), "Escape");
  Choose(page, IDC_PROF_ACTION, "<<None>>");

  Click(dialog, IDC_APPLY);
  EXPECT_EQ(test.Read("Pad.xml"), Written(R"(<Joystick ID = "0" name = "Pad One" delay = "30" >
  <Buttons >
    <Button number = "3" >
      <Actions >
        <Action number = "1" theme = "Keys" name = "Enter" />
      </Actions>
    </Button>
  </Buttons>
  <Axes >
    <Axis name = "X Axis" threshold = "7000" sensitivity = "100" type = "horizontal" />
    <Axis name = "Y Axis" type = "Vertical" >
      <Direction name = "Down" >
        <Actions >
          <Action number = "1" theme = "Keys" name = "Tab" percent = "50" />
        </Actions>
      </Direction>
      <Direction name = "Up" />
    </Axis>
  </Axes>
  <ShiftButtons >
    <ShiftButton buttonNumber = "5" />
  </ShiftButtons>
  <POV >
    <Direction name = "Left" >
      <Actions >
        <Action number = "1" theme = "Mouse" name = "Left Button" />
      </Actions>
    </Direction>
  </POV>
</Joystick>)"));
}

TEST_F(ProfileTabTest, NewRefusedForeignAndUnwritableProfiles) {
  Start("New.xml");
  // A missing file starts a new profile for the first controller.
  Erase(page, IDC_PROF_DELAY);
  Type(page, IDC_PROF_DELAY, "45");
  Click(dialog, IDC_APPLY);
  EXPECT_EQ(test.Read("New.xml"),
            Written(R"(<Joystick ID = "0" name = "Pad One" delay = "45" />)"));

  // A file with another root: refused, the page is disabled and asks for another file.
  test.Write("Foreign.xml", "<Settings a = \"1\" >\n<Item b = \"2\" />\n</Settings>\n");
  test.user.files = {test.folder + "Foreign.xml"};
  test.user.answers = {IDNO};
  Click(page, IDC_PROF_OPEN);
  EXPECT_EQ(Request(1),
            "message|" + profileedit::InvalidProfileQuestion(test.folder + "Foreign.xml") +
                "|Warning|" + std::to_string(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_EQ(Request(0), "open file|Select A Configuration File|XML Files|*.XML|xml|" + test.folder +
                            "|" +
                            std::to_string(OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR));
  EXPECT_FALSE(IsEnabledControl(page, IDC_PROF_DELAY));
  // Nothing of the refused file is kept to be written anywhere.
  test.user.files = {test.folder + "Copy.xml"};
  Click(page, IDC_PROF_SAVE_AS);
  EXPECT_EQ(test.Read("Copy.xml"), "");

  // Accepted, it is edited under its own root and written back whole.
  test.user.files = {test.folder + "Foreign.xml"};
  test.user.answers = {IDYES};
  Click(page, IDC_PROF_OPEN);
  Choose(page, IDC_PROF_JOYSTICK, "Pad One");
  Click(dialog, IDC_APPLY);
  const std::string accepted = Written(
      "<Settings a = \"1\" delay = \"30\" ID = \"0\" name = \"Pad One\" >\n"
      "  <Item b = \"2\" />\n</Settings>");
  EXPECT_EQ(test.Read("Foreign.xml"), accepted);

  // A save that fails keeps the file, the document and the changed state.
  Erase(page, IDC_PROF_DELAY);
  Type(page, IDC_PROF_DELAY, "60");
  test.user.files = {test.folder + "Missing\\Foreign.xml"};
  Click(page, IDC_PROF_SAVE_AS);
  EXPECT_EQ(Request(0), kSaveFailed);
  // Yes to saving first, and that save fails: no other file is opened.
  const size_t requests = test.user.requests.size();
  test.user.answers = {IDYES};
  test.user.files = {test.folder + "New.xml"};
  Click(page, IDC_PROF_OPEN);
  ASSERT_EQ(test.user.requests.size(), requests + 2);
  EXPECT_EQ(Request(1), std::string("message|") + profileedit::kSaveChangesQuestion +
                            "|One Moment...|" + std::to_string(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(Request(0), kSaveFailed);
  EXPECT_EQ(TextOf(page, IDC_PROF_DELAY), "60");
  EXPECT_TRUE(IsEnabledControl(dialog, IDC_APPLY));
  EXPECT_EQ(test.Read("Foreign.xml"), accepted);
}

}  // namespace
