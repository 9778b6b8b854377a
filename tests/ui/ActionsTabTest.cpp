// The Actions tab as a user meets it: actions looked up as their names are typed, saved,
// built into combinations, deleted; and what reaches the actions file.

#include "WindowTestWorld.h"
#include "actions/ActionLibrary.h"

namespace {

const std::string kActions = R"(<Actions >
  <VKActions >
    <VKAction theme = "Game" name = "Jump" type = "Hold" value = "0x20" />
    <VKAction theme = "Game" name = "Fire" type = "Hit" value = "0x46" />
  </VKActions>
  <MouseActions />
  <MouseWheelActions />
  <ComplexActions >
    <ComplexAction theme = "Game" name = "Volley" type = "Hit" >
      <CombinedAction theme = "Game" name = "Fire" type = "Hit" />
    </ComplexAction>
  </ComplexActions>
</Actions>)";

// The library above, which the controller's profile and its window rule's profile use (Jump),
// and the Actions tab open.
class ActionsTabTest : public ::testing::Test {
 protected:
  static WindowTestWorld& Started(WindowTestWorld& test) {
    test.Write("Tandrel.exe.config", R"(<Configuration >
<Actions fileName = "Actions.xml" />
<Joysticks ><Joystick ID = "0" fileName = "Pad.xml" >
<Profile window = "Race" fileName = "Race.xml" /></Joystick></Joysticks>
</Configuration>)");
    test.Write("Actions.xml", kActions);
    const std::string usesJump = R"(<Joystick ><Buttons ><Button number = "2" ><Actions >
<Action number = "0" theme = "GAME" name = "jump" />
</Actions></Button></Buttons></Joystick>)";
    test.Write("Pad.xml", usesJump);
    test.Write("Race.xml", usesJump);
    test.world.joysticks().Plug(0, seam::MakeJoystickCaps("XY", 4, false));
    test.StartConfiguration();
    return test;
  }

  WindowTestWorld test;
  OpenWindow open{Started(test), 2};
};

TEST_F(ActionsTabTest, LookUpChangeCombineApplyAndWhatCancelDiscards) {
  HWND dialog = open.dialog, page = open.page;
  HWND vk = open.window.ActionsPage()->VKPanel()->GetHandle();
  HWND complex = open.window.ActionsPage()->ComplexPanel()->GetHandle();
  const auto typesEnabled = [&] { return IsEnabledControl(page, IDC_ACT_TYPE_VK); };

  EXPECT_EQ(SelectedText(page, IDC_ACT_NAME), "Fire");  // the first of the first theme
  Type(page, IDC_ACT_NAME, "volley");                   // another case finds Volley
  EXPECT_TRUE(IsChecked(page, IDC_ACT_TYPE_COMPLEX) && IsWindowVisible(complex));
  EXPECT_EQ(ItemsOf(complex, IDC_COMPLEX_COMBINED), Items{"Fire (Game)"});
  Type(page, IDC_ACT_NAME, "jump");
  EXPECT_TRUE(IsChecked(page, IDC_ACT_TYPE_VK) && IsWindowVisible(vk));
  EXPECT_FALSE(IsWindowVisible(complex) || typesEnabled());
  Type(page, IDC_ACT_NAME, "2", true);  // "jump2" is new: the panel keeps its values
  EXPECT_TRUE(typesEnabled() && TextOf(vk, IDC_VK_KEY) == "0x20");
  Type(page, IDC_ACT_NAME, "Jump");
  Type(vk, IDC_VK_KEY, "0x4g1");  // the g is cut as it is typed
  Click(vk, IDC_PUSH_HIT);
  Click(page, IDC_ACT_SAVE);
  EXPECT_TRUE(IsEnabledControl(dialog, IDC_APPLY));

  // A combination under a new theme starts from the parts last shown (Volley's), in the push
  // type last chosen: Jump is added, moved up and hit.
  Type(page, IDC_ACT_THEME, "Moves");
  EXPECT_EQ(ItemsOf(page, IDC_ACT_NAME), Items{});
  Type(page, IDC_ACT_NAME, "Dash");
  Click(page, IDC_ACT_TYPE_COMPLEX);
  Choose(complex, IDC_COMPLEX_AVAILABLE, "Jump (Game)");
  Click(complex, IDC_COMPLEX_ADD);
  Choose(complex, IDC_COMPLEX_COMBINED, "Jump (Game)");
  EXPECT_FALSE(IsEnabledControl(complex, IDC_COMPLEX_DOWN));
  Click(complex, IDC_COMPLEX_UP);
  EXPECT_FALSE(IsEnabledControl(complex, IDC_COMPLEX_UP));
  Click(complex, IDC_COMPLEX_PART_HIT);
  Click(page, IDC_ACT_SAVE);
  EXPECT_EQ(ItemsOf(page, IDC_ACT_THEME), (Items{"Game", "Moves"}));
  EXPECT_EQ(SelectedText(page, IDC_ACT_THEME) + "|" + SelectedText(page, IDC_ACT_NAME),
            "Moves|Dash");
  EXPECT_FALSE(typesEnabled());
  Click(dialog, IDC_APPLY);
  std::string expected = Xml(kActions);
  expected.replace(expected.find("\"Hold\" value = \"0x20\""), 21, "\"Hit\" value = \"0x41\"");
  expected.insert(expected.find("\t</ComplexActions>"),
                  Xml(R"(    <ComplexAction theme = "Moves" name = "Dash" type = "Hit" >
      <CombinedAction theme = "Game" name = "Jump" type = "Hit" />
      <CombinedAction theme = "Game" name = "Fire" type = "Hit" />
    </ComplexAction>)"));
  EXPECT_EQ(test.Read("Actions.xml"), expected);

  // A deletion and a key whose file cannot be written are never applied: Cancel undoes them.
  Choose(page, IDC_ACT_THEME, "Game");
  Choose(page, IDC_ACT_NAME, "Volley");
  Click(page, IDC_ACT_DELETE);
  Type(page, IDC_ACT_NAME, "Duck");
  Click(page, IDC_ACT_TYPE_VK);
  Click(page, IDC_ACT_SAVE);
  EXPECT_EQ(ItemsOf(page, IDC_ACT_NAME), (Items{"Duck", "Fire", "Jump"}));
  test.world.platform().files().SetFailing(seam::SimFiles::Step::Replace, true);
  Click(dialog, IDC_APPLY);
  EXPECT_TRUE(IsEnabledControl(dialog, IDC_APPLY));
  test.world.platform().files().SetFailing(seam::SimFiles::Step::Replace, false);
  Click(dialog, IDCANCEL);
  EXPECT_EQ(open.program.Join(), IDCANCEL);
  EXPECT_EQ(test.Read("Actions.xml"), expected);
  auto lock = LockActionLibrary();
  EXPECT_TRUE(FindAction("Game", "Volley") && FindAction("Moves", "Dash"));
  EXPECT_EQ(FindAction("Game", "Duck"), nullptr);
}

// What the engine could not use is refused, or shown as stored when the user leaves a box; a
// deletion names who uses the action: combinations refuse it, profiles are asked about. The
// Profile tab lists the library as this tab left it.
TEST_F(ActionsTabTest, RefusesBlankNamesShowsStoredNumbersAndNamesWhoUsesAnAction) {
  HWND page = open.page;
  HWND wheel = open.window.ActionsPage()->WheelPanel()->GetHandle();
  HWND mouse = open.window.ActionsPage()->MousePanel()->GetHandle();
  // The combination panel's list of every action shows more than a handful at once.
  HWND available =
      Control(open.window.ActionsPage()->ComplexPanel()->GetHandle(), IDC_COMPLEX_AVAILABLE);
  RECT rows = {};
  GetClientRect(available, &rows);
  EXPECT_GE(rows.bottom / SendMessageA(available, LB_GETITEMHEIGHT, 0, 0), 8);
  const auto leave = [](HWND panel, int id, const std::string& text) {
    Type(panel, id, text);
    Notify(panel, id, EN_KILLFOCUS);
    return TextOf(panel, id);
  };

  Type(page, IDC_ACT_THEME, "Moves");
  Type(page, IDC_ACT_NAME, " ");
  Click(page, IDC_ACT_TYPE_WHEEL);
  Click(page, IDC_ACT_SAVE);
  EXPECT_EQ(test.user.requests.back(), "message|The Action Name cannot be empty.|Error|0");
  Type(page, IDC_ACT_NAME, "Scroll");
  EXPECT_EQ(leave(wheel, IDC_WHEEL_LINES, "0"), "1");
  EXPECT_EQ(leave(wheel, IDC_WHEEL_DELAY, ""), "30");
  Click(page, IDC_ACT_SAVE);
  Type(page, IDC_ACT_NAME, "Aim");
  Click(page, IDC_ACT_TYPE_MOUSE);
  EXPECT_EQ(leave(mouse, IDC_MOUSE_DIRECTION, "999"), "279");
  EXPECT_EQ(leave(mouse, IDC_MOUSE_SPEED, "0"), "1");
  Click(page, IDC_ACT_SAVE);

  Choose(page, IDC_ACT_THEME, "Game");
  Choose(page, IDC_ACT_NAME, "Fire");
  Click(page, IDC_ACT_DELETE);
  EXPECT_EQ(test.user.requests.back(),
            "message|Cannot delete the action \"Fire\" because it is in use by one or more "
            "actions.\r\nUsed by: Volley (Game)|Error|" +
                std::to_string(MB_OK | MB_ICONINFORMATION));
  test.user.answers = {IDNO};
  Choose(page, IDC_ACT_NAME, "Jump");
  Click(page, IDC_ACT_DELETE);
  EXPECT_EQ(test.user.requests.back(),
            "message|The action \"Jump\" is used by these profiles:\r\nPad.xml\r\nRace.xml\r\n"
            "Their inputs do nothing without it. Delete it anyway?|Delete Action|" +
                std::to_string(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_EQ(ItemsOf(page, IDC_ACT_NAME), (Items{"Fire", "Jump", "Volley"}));

  SelectTab(open.dialog, IDC_TABS, 1);
  EXPECT_EQ(ItemsOf(open.window.ProfilePage()->GetHandle(), IDC_PROF_THEME),
            (Items{"Game", "Moves"}));
  Click(open.dialog, IDOK);
  EXPECT_EQ(open.program.Join(), IDOK);
  const std::string written = test.Read("Actions.xml");
  EXPECT_NE(written.find(R"(direction = "279" absolute = "false" delay = "30" speed = "1")"),
            std::string::npos)
      << written;
  EXPECT_NE(written.find(R"(direction = "up" delay = "30" lines = "1")"), std::string::npos)
      << written;
}

// "Press a key" takes the next key from the keyboard, Enter and the Windows key included, and no
// window of the program sees it (an Enter would have ended the window); a click on the field
// picks a mouse button.
TEST_F(ActionsTabTest, PressAKeyTakesTheNextKeyOrAMouseButton) {
  Choose(open.page, IDC_ACT_THEME, "Game");
  Choose(open.page, IDC_ACT_NAME, "Jump");
  HWND vk = open.window.ActionsPage()->VKPanel()->GetHandle();
  EXPECT_EQ(TextOf(vk, IDC_VK_NAME), "Space");
  const auto shown = [&] { return TextOf(vk, IDC_VK_KEY) + " " + TextOf(vk, IDC_VK_NAME); };
  for (const auto& [key, expected] : std::vector<std::pair<WORD, std::string>>{
           {VK_F5, "0x74 F5"}, {VK_RETURN, "0xD Enter"}, {VK_LWIN, "0x5B Left Windows"}}) {
    Click(vk, IDC_VK_PRESS);
    EXPECT_EQ(TextOf(vk, IDC_VK_PRESS), "Stop");
    PressKey(key);
    EXPECT_TRUE(Eventually([&] { return shown() == expected; })) << shown();
    EXPECT_EQ(TextOf(vk, IDC_VK_PRESS), "Press a key");
  }
  EXPECT_TRUE(open.window.IsRunning());
  // A right click on the field; the click itself opens no menu.
  Click(vk, IDC_VK_PRESS);
  HWND field = Control(vk, IDC_VK_KEY);
  SendMessageA(field, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
  SendMessageA(field, WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(shown(), "0x2 Right Button");
  // Stopped, and after a turn to another tab, nothing is taken.
  Click(vk, IDC_VK_PRESS);
  Click(vk, IDC_VK_PRESS);
  EXPECT_EQ(TextOf(vk, IDC_VK_PRESS), "Press a key");
  Click(vk, IDC_VK_PRESS);
  SelectTab(open.dialog, IDC_TABS, 0);
  PressKey(VK_F7);
  SelectTab(open.dialog, IDC_TABS, 2);
  EXPECT_EQ(shown(), "0x2 Right Button");
  Click(open.page, IDC_ACT_SAVE);
  Click(open.dialog, IDOK);
  EXPECT_EQ(open.program.Join(), IDOK);
  EXPECT_NE(test.Read("Actions.xml").find(R"(name = "Jump" type = "Hold" value = "0x2")"),
            std::string::npos);
}

}  // namespace
