// The Profile tab as a user meets it: profiles loaded, edited through the page's controls and
// written by Apply, compared byte for byte; refused files and failed saves.

#include <array>

#include "WindowTestWorld.h"
// After windows.h, whose declarations it uses.
#include <commdlg.h>

namespace {

class ProfileTabTest : public ::testing::Test {
 protected:
  void Start(const std::string& profileFile) {
    test.Write("Tandrel.exe.config", R"(<Configuration >
<Actions fileName = "Actions.xml" />
<Joysticks ><Joystick ID = "0" fileName = ")" +
                                         profileFile + R"(" /></Joysticks>
</Configuration>)");
    test.world.joysticks().Plug(0, seam::MakeJoystickCaps("XY", 8, true, 0, 65535, "Pad One"));
    test.StartConfiguration();
    open.emplace(test, 1);
    dialog = open->dialog, page = open->page;
  }

  WindowTestWorld test;
  std::optional<OpenWindow> open;
  HWND dialog = nullptr, page = nullptr;
};

TEST_F(ProfileTabTest, EditsReachTheProfileThroughItsControls) {
  test.Write("Pad.xml", R"(<Joystick Delay = "020" >
<Buttons ><Button number = "1" ><Actions >
<Action number = "0" theme = "keys" name = "escape" />
</Actions></Button></Buttons>
<Axes ><Axis name = "X Axis" threshold = "500" sensitivity = "99999999999" />
<Axis name = "Y Axis" threshold = "800" /></Axes>
</Joystick>)");
  Start("Pad.xml");
  // What the page shows of values the user never edits stays in the profile as written, also
  // a threshold below the least the box stores and a sensitivity beyond the range of int, shown
  // whole; absent defaults become explicit. None of it counts as a change.
  EXPECT_EQ(TextOf(page, IDC_PROF_DELAY) + " " + TextOf(page, IDC_PROF_THRESHOLD) + " " +
                TextOf(page, IDC_PROF_SENSITIVITY),
            "20 500 99999999999");
  EXPECT_EQ(SelectedText(page, IDC_PROF_THEME) + " " + SelectedText(page, IDC_PROF_ACTION),
            "Keys Escape");
  Choose(page, IDC_PROF_AXIS, "Y Axis");
  EXPECT_EQ(TextOf(page, IDC_PROF_THRESHOLD), "800");
  EXPECT_FALSE(IsEnabledControl(dialog, IDC_APPLY));

  // Typed digit by digit: "7" stores the least threshold, which the box shows when the user
  // leaves it; then "7000".
  Type(page, IDC_PROF_THRESHOLD, "7");
  EXPECT_TRUE(IsEnabledControl(dialog, IDC_APPLY));
  Notify(page, IDC_PROF_THRESHOLD, EN_KILLFOCUS);
  EXPECT_EQ(TextOf(page, IDC_PROF_THRESHOLD), "1000");
  Type(page, IDC_PROF_THRESHOLD, "7000");

  // Buttons 5 and 2 become shift buttons, 2 moves up and leaves again: 5 is shift button 1.
  Choose(page, IDC_PROF_AVAILABLE, "Button 5");
  Click(page, IDC_PROF_ADD);
  Choose(page, IDC_PROF_AVAILABLE, "Button 2");
  Notify(page, IDC_PROF_AVAILABLE, LBN_DBLCLK);
  Click(page, IDC_PROF_UP);
  EXPECT_EQ(ItemsOf(page, IDC_PROF_SHIFT_BUTTONS), (Items{"Button 2", "Button 5"}));
  Notify(page, IDC_PROF_SHIFT_BUTTONS, LBN_DBLCLK);
  EXPECT_EQ(ItemsOf(page, IDC_PROF_SHIFT_STATE), (Items{"No Shift Button", "Shift Button 1"}));

  // A vertical Y axis names its directions Up and Down.
  Choose(page, IDC_PROF_AXIS_TYPE, "Vertical");

  // Element, percent (empty: the percent list is hidden), theme and action, in shift state 1.
  Choose(page, IDC_PROF_SHIFT_STATE, "Shift Button 1");
  for (const auto& [element, percent, theme, action] : std::vector<std::array<std::string, 4>>{
           {"Button 3", "", "Keys", "Enter"}, {"Down Y Axis", "50", "Keys", "Tab"}}) {
    Choose(page, IDC_PROF_ELEMENT, element);
    EXPECT_EQ(IsWindowVisible(Control(page, IDC_PROF_PERCENT)), !percent.empty());
    if (!percent.empty()) Choose(page, IDC_PROF_PERCENT, percent);
    Choose(page, IDC_PROF_THEME, theme);
    Choose(page, IDC_PROF_ACTION, action);
  }
  // "<<None>>" for the only action of button 1 takes the button out of the profile.
  Choose(page, IDC_PROF_ELEMENT, "Button 1");
  Choose(page, IDC_PROF_SHIFT_STATE, "No Shift Button");
  Choose(page, IDC_PROF_ACTION, "<<None>>");

  Choose(page, IDC_PROF_JOYSTICK, "Pad One");
  Click(dialog, IDC_APPLY);
  EXPECT_EQ(test.Read("Pad.xml"), Xml(R"(<Joystick Delay = "020" ID = "0" name = "Pad One" >
  <Buttons >
    <Button number = "3" >
      <Actions >
        <Action number = "1" theme = "Keys" name = "Enter" />
      </Actions>
    </Button>
  </Buttons>
  <Axes >
    <Axis name = "X Axis" threshold = "500" sensitivity = "99999999999" type = "horizontal" />
    <Axis name = "Y Axis" threshold = "7000" type = "Vertical" sensitivity = "100" >
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
</Joystick>)"));
}

// A missing file starts a new profile, and the page says so. "Save As" has the save dialog ask
// before it replaces a file, and refuses the program's own files. A save that fails keeps the
// edits and the changed state, and no other file is opened over them. A file with another root,
// refused, disables the page, which asks for another file; "Save As" then starts a new profile.
TEST_F(ProfileTabTest, AFailedSaveKeepsTheEditsAndARefusedFileDisablesThePage) {
  Start("New.xml");
  EXPECT_EQ(TextOf(page, IDC_PROF_DETECT_STATE), "The file does not exist: this is a new profile.");
  Type(page, IDC_PROF_DELAY, "60");
  const std::string saveAs =
      "save file|Select A Configuration File|XML Files|*.XML|xml|" + test.folder + "|" +
      std::to_string(OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT);
  Items expected;
  for (const auto& [own, what] : {std::pair{"Actions.xml", "the actions file"},
                                  std::pair{"Tandrel.exe.config", "the configuration file"}}) {
    test.user.files = {test.folder + own};
    Click(page, IDC_PROF_SAVE_AS);
    expected.insert(
        expected.end(),
        {saveAs, "message|The file \"" + test.folder + own + "\" cannot be a profile: it is " +
                     what + ".|Error|" + std::to_string(MB_OK | MB_ICONERROR)});
  }
  test.user.files = {test.folder + "Missing\\New.xml", test.folder + "Foreign.xml"};
  Click(page, IDC_PROF_SAVE_AS);
  test.user.answers = {IDYES};  // to saving first, which fails again
  Click(page, IDC_PROF_OPEN);
  EXPECT_EQ(TextOf(page, IDC_PROF_DELAY), "60");
  EXPECT_TRUE(IsEnabledControl(dialog, IDC_APPLY));
  const std::string failed =
      "message|Couldn't open the Profile for writing (no changes made).\r\nThe file \"" +
      test.folder + "Missing\\New.xml\" could not be written: path not found.|Warning|" +
      std::to_string(MB_OK | MB_ICONWARNING);
  const std::string saveFirst =
      "message|You made changes to the current profile.\r\nDo you want to save it first?|One "
      "Moment...|" +
      std::to_string(MB_YESNOCANCEL | MB_ICONQUESTION);
  expected.insert(expected.end(), {saveAs, failed, saveFirst, failed});
  EXPECT_EQ(test.user.requests, expected);

  test.Write("Foreign.xml", "<Settings a = \"1\" />");
  test.user.answers = {IDNO, IDNO};  // the edits go; the file is refused
  Click(page, IDC_PROF_OPEN);
  EXPECT_FALSE(IsEnabledControl(page, IDC_PROF_DELAY));
  const std::string openFile =
      "open file|Select A Configuration File|XML Files|*.XML|xml|" + test.folder + "|" +
      std::to_string(OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR);
  expected.insert(expected.end(),
                  {saveFirst, openFile,
                   "message|The file \"" + test.folder +
                       "Foreign.xml\" doesn't seem to be a valid Tandrel Profile.\r\nIf you save a "
                       "profile in this file you'll lose any other data this file contains.\r\n"
                       "Are you sure you want to use it?|Warning|" +
                       std::to_string(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2),
                   openFile});
  EXPECT_EQ(test.user.requests, expected);
  EXPECT_EQ(test.Read("New.xml"), "");

  // With no profile open, "Save As" writes a new one for the chosen controller and edits it.
  test.user.files = {test.folder + "Fresh.xml"};
  Click(page, IDC_PROF_SAVE_AS);
  EXPECT_TRUE(IsEnabledControl(page, IDC_PROF_DELAY));
  EXPECT_EQ(test.Read("Fresh.xml"), Xml(R"(<Joystick ID = "0" name = "Pad One" />)"));
}

// A profile that another program holds open is never taken for a new one: the page cannot read
// it and asks before using it; refused, the file stays as it was.
TEST_F(ProfileTabTest, AProfileThatCannotBeReadIsNeverTakenForANewOne) {
  const std::string profile = "<Joystick Delay = \"20\" />";
  test.Write("Pad.xml", profile);
  HANDLE held = CreateFileA((test.folder + "Pad.xml").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  Start("Pad.xml");
  EXPECT_FALSE(IsEnabledControl(page, IDC_PROF_DELAY));
  CloseHandle(held);
  Click(dialog, IDOK);
  EXPECT_EQ(test.Read("Pad.xml"), Xml(profile));
}

}  // namespace
