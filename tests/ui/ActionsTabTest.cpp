// The Actions tab as a user meets it: actions looked up as their names are typed, saved,
// built into combinations, deleted; and what reaches the actions file and the running engine.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "UserActions.h"
#include "WindowTestWorld.h"
#include "actions/ActionLibrary.h"
#include "platform/sim/SimJoysticks.h"
#include "resource.h"
#include "ui/ActionsConfigurationDlg.h"
#include "ui/ComplexActionConfigDlg.h"
#include "ui/TandrelConfigDlg.h"
#include "ui/VKActionConfigDlg.h"

namespace {

using Items = std::vector<std::string>;

const std::string kActionsHead =
    "<Actions >\r\n"
    "\t<VKActions >\r\n"
    "\t\t<VKAction theme = \"Game\" name = \"Jump\" type = \"Hold\" value = \"0x20\" />\r\n"
    "\t\t<VKAction theme = \"Game\" name = \"Fire\" type = \"Hit\" value = \"0x46\" />\r\n"
    "\t</VKActions>\r\n"
    "\t<MouseActions />\r\n"
    "\t<MouseWheelActions />\r\n"
    "\t<ComplexActions >\r\n"
    "\t\t<ComplexAction theme = \"Game\" name = \"Volley\" type = \"Hit\" >\r\n"
    "\t\t\t<CombinedAction theme = \"Game\" name = \"Fire\" type = \"Hit\" />\r\n"
    "\t\t</ComplexAction>\r\n";
const std::string kActionsTail = "\t</ComplexActions>\r\n</Actions>\r\n";

class ActionsTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.Write("Tandrel.exe.config",
               "<Configuration >\n\t<Actions fileName = \"Actions.xml\" />\n\t<Joysticks >\n"
               "\t\t<Joystick ID = \"0\" fileName = \"Pad.xml\" />\n\t</Joysticks>\n"
               "</Configuration>\n");
    std::ofstream(test.folder + "Actions.xml", std::ios::binary) << kActionsHead + kActionsTail;
    test.Write("Pad.xml",
               "<Joystick delay = \"20\" >\n\t<Buttons >\n\t\t<Button number = \"1\" >\n"
               "\t\t\t<Actions >\n\t\t\t\t<Action number = \"0\" theme = \"Game\" name = "
               "\"Jump\" />\n\t\t\t</Actions>\n\t\t</Button>\n\t</Buttons>\n</Joystick>\n");
    test.world.joysticks().Plug(0, seam::MakeJoystickCaps("XY", 4, false));
    test.StartConfiguration();
    program = std::make_unique<ModalThread>([this] { return window.DoModal(); });
    dialog = program->WaitForWindow("Tandrel Configuration");
    ASSERT_NE(dialog, nullptr);
    SelectTab(dialog, IDC_TABS, 2);
    page = window.ActionsPage()->GetHandle();
    vk = window.ActionsPage()->VKPanel()->GetHandle();
    complex = window.ActionsPage()->ComplexPanel()->GetHandle();
  }
  // A failed step leaves the window open: close it so that the program's thread ends.
  void TearDown() override {
    if (window.IsRunning()) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  void TypeName(const std::string& name) {
    Erase(page, IDC_ACT_NAME);
    Type(page, IDC_ACT_NAME, name);
  }
  bool TypesEnabled() { return IsEnabledControl(page, IDC_ACT_TYPE_VK); }

  WindowTestWorld test;
  CTandrelConfigDlg window{nullptr};
  std::unique_ptr<ModalThread> program;
  HWND dialog = nullptr, page = nullptr, vk = nullptr, complex = nullptr;
};

TEST_F(ActionsTabTest, TypedNamesFindActionsAndAChangedKeyReachesTheEngine) {
  EXPECT_EQ(SelectedText(page, IDC_ACT_NAME), "Fire");  // the first of the first theme
  TypeName("volley");                                   // another case finds Volley
  EXPECT_TRUE(IsChecked(page, IDC_ACT_TYPE_COMPLEX) && IsWindowVisible(complex));
  EXPECT_EQ(ItemsOf(complex, IDC_COMPLEX_COMBINED), Items{"Fire (Game)"});
  TypeName("jump");
  EXPECT_TRUE(IsChecked(page, IDC_ACT_TYPE_VK) && IsWindowVisible(vk));
  EXPECT_FALSE(IsWindowVisible(complex));
  EXPECT_EQ(TextOf(vk, IDC_VK_KEY), "0x20");
  EXPECT_FALSE(TypesEnabled());
  Type(page, IDC_ACT_NAME, "2");  // "jump2" is new: the panel keeps its values
  EXPECT_TRUE(TypesEnabled());
  EXPECT_EQ(TextOf(vk, IDC_VK_KEY), "0x20");

  TypeName("Jump");
  Click(page, IDC_ACT_SAVE);  // unchanged
  EXPECT_FALSE(IsEnabledControl(dialog, IDC_APPLY));

  Erase(vk, IDC_VK_KEY);
  Type(vk, IDC_VK_KEY, "0x4g1");  // the g is cut as it is typed
  EXPECT_EQ(TextOf(vk, IDC_VK_KEY), "0x41");
  Click(vk, IDC_PUSH_HIT);
  Click(page, IDC_ACT_SAVE);
  EXPECT_TRUE(IsEnabledControl(dialog, IDC_APPLY));

  Click(dialog, IDOK);
  EXPECT_EQ(program->Join(), IDOK);
  std::string expected = kActionsHead + kActionsTail;
  expected.replace(expected.find("\"Hold\" value = \"0x20\""), 21, "\"Hit\" value = \"0x41\"");
  EXPECT_EQ(test.Read("Actions.xml"), expected);
  // The reloaded engine: button 1 now hits A.
  test.world.Advance(30);
  test.world.input().ClearLog();
  test.world.joysticks().PressButton(0, 1);
  test.world.Advance(30);
  const auto log = test.world.input().Log();
  ASSERT_EQ(log.size(), 2u);  // a hit: down and up at once
  EXPECT_TRUE(log[0].IsKeyDown() && log[0].vk == 0x41 && log[1].vk == 0x41);
}

TEST_F(ActionsTabTest, NewCombinationUnderANewThemeAndWhatCancelAndDeleteLeave) {
  Erase(page, IDC_ACT_THEME);
  Type(page, IDC_ACT_THEME, "Moves");
  EXPECT_EQ(ItemsOf(page, IDC_ACT_NAME), Items{});
  TypeName("Dash");
  ASSERT_TRUE(TypesEnabled());
  Click(page, IDC_ACT_TYPE_COMPLEX);
  ASSERT_TRUE(IsWindowVisible(complex));
  for (const char* part : {"Jump (Game)", "Fire (Game)"}) {
    Choose(complex, IDC_COMPLEX_AVAILABLE, part);
    Click(complex, IDC_COMPLEX_ADD);
  }
  EXPECT_EQ(ItemsOf(complex, IDC_COMPLEX_COMBINED), (Items{"Jump (Game)", "Fire (Game)"}));
  Choose(complex, IDC_COMPLEX_COMBINED, 1);
  EXPECT_FALSE(IsEnabledControl(complex, IDC_COMPLEX_DOWN));
  Click(complex, IDC_COMPLEX_UP);
  EXPECT_FALSE(IsEnabledControl(complex, IDC_COMPLEX_UP));
  Click(complex, IDC_COMPLEX_PART_HIT);  // Fire, now first, is hit
  Choose(complex, IDC_COMPLEX_COMBINED, 1);
  EXPECT_TRUE(IsChecked(complex, IDC_COMPLEX_PART_HOLD));
  Click(page, IDC_ACT_SAVE);
  EXPECT_EQ(ItemsOf(page, IDC_ACT_THEME), (Items{"Game", "Moves"}));
  EXPECT_EQ(SelectedText(page, IDC_ACT_THEME), "Moves");
  EXPECT_EQ(SelectedText(page, IDC_ACT_NAME), "Dash");
  EXPECT_FALSE(TypesEnabled());
  EXPECT_EQ(ItemsOf(complex, IDC_COMPLEX_COMBINED), (Items{"Fire (Game)", "Jump (Game)"}));
  Click(dialog, IDC_APPLY);
  EXPECT_EQ(test.Read("Actions.xml"),
            kActionsHead +
                "\t\t<ComplexAction theme = \"Moves\" name = \"Dash\" type = \"Hold\" >\r\n"
                "\t\t\t<CombinedAction theme = \"Game\" name = \"Fire\" type = \"Hit\" />\r\n"
                "\t\t\t<CombinedAction theme = \"Game\" name = \"Jump\" type = \"Hold\" />\r\n"
                "\t\t</ComplexAction>\r\n" +
                kActionsTail);

  // Fire is a part of Volley and Dash: refused with the library's message, nothing changes.
  Choose(page, IDC_ACT_THEME, "Game");
  Choose(page, IDC_ACT_NAME, "Fire");
  Click(page, IDC_ACT_DELETE);
  const auto messages = test.world.messages().Log();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text,
            "Cannot delete the action \"Fire\" because it is in use by one or more actions.");
  EXPECT_EQ(ItemsOf(page, IDC_ACT_NAME), (Items{"Fire", "Jump", "Volley"}));
  EXPECT_FALSE(IsEnabledControl(dialog, IDC_APPLY));

  // A key saved but never applied is gone after Cancel; what Apply wrote stays.
  TypeName("Duck");
  Click(page, IDC_ACT_TYPE_VK);
  Click(page, IDC_ACT_SAVE);
  EXPECT_EQ(ItemsOf(page, IDC_ACT_NAME), (Items{"Duck", "Fire", "Jump", "Volley"}));
  // The actions file cannot be written: the saved key stays in the library for another try.
  test.world.platform().files().SetFailing(seam::SimFiles::Step::Replace, true);
  Click(dialog, IDC_APPLY);
  EXPECT_TRUE(IsEnabledControl(dialog, IDC_APPLY));
  {
    auto lock = LockActionLibrary();
    EXPECT_NE(FindAction("Game", "Duck"), nullptr);
  }
  test.world.platform().files().SetFailing(seam::SimFiles::Step::Replace, false);
  Click(dialog, IDCANCEL);
  EXPECT_EQ(program->Join(), IDCANCEL);
  auto lock = LockActionLibrary();
  EXPECT_EQ(FindAction("Game", "Duck"), nullptr);
  EXPECT_NE(FindAction("Moves", "Dash"), nullptr);
}

}  // namespace
