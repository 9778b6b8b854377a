// The Actions tab as a user meets it: actions looked up as their names are typed, saved,
// built into combinations, deleted; and what reaches the actions file.

#include "WindowTestWorld.h"
#include "actions/ActionLibrary.h"
#include "ui/ComplexActionConfigDlg.h"
#include "ui/VKActionConfigDlg.h"

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

TEST(ActionsTab, LookUpChangeCombineApplyAndWhatCancelDiscards) {
  WindowTestWorld test;
  test.Write("Tandrel.exe.config", R"(<Configuration >
<Actions fileName = "Actions.xml" />
<Joysticks ><Joystick ID = "0" fileName = "Pad.xml" /></Joysticks>
</Configuration>)");
  test.Write("Actions.xml", kActions);
  test.Write("Pad.xml", R"(<Joystick delay = "20" ><Buttons ><Button number = "1" ><Actions >
<Action number = "0" theme = "Game" name = "Jump" />
</Actions></Button></Buttons></Joystick>)");
  test.world.joysticks().Plug(0, seam::MakeJoystickCaps("XY", 4, false));
  test.StartConfiguration();
  OpenWindow open(2);
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

}  // namespace
