// The Linux configuration window as a user uses it, tab by tab, checked on its widgets and on
// the files it writes; Detect with an SDL virtual pad, "Press a key" with a key sent through the
// X server (XTest).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <fstream>

#include "WindowWorld.h"
#include "actions/ActionLibrary.h"
#include "actions/MouseWheelAction.h"
#include "qt/ActionPanels.h"
#include "qt/ActionsPage.h"
#include "qt/JoysticksPage.h"
#include "qt/KeyPanel.h"
#include "qt/LiveViewPage.h"
#include "qt/ProfilesPage.h"

namespace {

using testing::HasSubstr;
using testing::Not;

using WindowStories = WindowWorld;

TEST_F(WindowStories, JoysticksTabWritesTheConfigurationAndOkCloses) {
  qtui::ConfigWindow& w = Open("Joysticks");
  qtui::JoysticksPage* page = w.Joysticks();
  EXPECT_EQ(page->ControllerList()->currentText(), "Story Pad");
  EXPECT_EQ(page->ProfileField()->text(), "Gamepad.xml");
  EXPECT_TRUE(page->EnabledBox()->isChecked());
  EXPECT_FALSE(w.ApplyButton()->isEnabled());
  user.files = {folder.File("pad.png")};  // a picture put or taken away is an edit each time
  page->ChangePicture();
  EXPECT_TRUE(w.ApplyButton()->isEnabled());
  Click(w.ApplyButton());
  page->RemovePicture();
  EXPECT_TRUE(w.ApplyButton()->isEnabled());
  bool menu = false;  // the picture's menu opens on a left click only
  QTimer closer;      // closes it, if one opened, from within its own event loop
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if ((menu = QApplication::activePopupWidget() != nullptr))
      QApplication::activePopupWidget()->close();
  });
  closer.start(500);
  QTest::mouseClick(page->Picture(), Qt::RightButton);
  closer.stop();  // no later popup of the story is closed by it
  EXPECT_FALSE(menu);

  // The configuration file is refused as a profile, with the Windows program's words.
  user.files = {folder.File("Tandrel.exe.config")};
  Click(page->ChangeButton());
  EXPECT_EQ(user.asked.back(), "Error: The file \"" + folder.File("Tandrel.exe.config") +
                                   "\" cannot be a profile: it is the configuration file.");
  EXPECT_EQ(page->ProfileField()->text(), "Gamepad.xml");

  Click(page->RemoveButton());
  EXPECT_EQ(page->ProfileField()->text(), "");
  EXPECT_FALSE(page->EnabledBox()->isChecked());
  Click(page->LaunchBox());
  QTest::keyClick(page->ProfileField(), Qt::Key_Return);  // OK is the default button
  EXPECT_FALSE(w.isVisible());
  const std::string config = ReadFolderFile("Tandrel.exe.config");
  EXPECT_THAT(config, HasSubstr("<LaunchOnStartup value = \"true\" />"));
  EXPECT_THAT(config, Not(HasSubstr("ID = \"0\"")));
  EXPECT_THAT(config, HasSubstr("ID = \"1\" fileName = \"Gamepad.xml\""));
  // The reload wrote the autostart entry.
  EXPECT_THAT(ReadFolderFile("autostart/tandrel.desktop"), HasSubstr("Exec=tandrel --background"));
}

TEST_F(WindowStories, ProfilesTabAssignsDetectsAndApplies) {
  qtui::ConfigWindow& w = Open("Profiles");
  qtui::ProfilesPage* page = w.Profiles();
  EXPECT_EQ(page->FileField()->text(), "Gamepad.xml");
  EXPECT_EQ(page->DelayBox()->text(), "20");
  EXPECT_EQ(page->ShiftButtonList()->item(0)->text(), "Button 5");
  EXPECT_EQ(page->ElementList()->itemText(34), "Up Y Axis");  // the profile's vertical Y axis

  // Detect: the pad's button 7 picks its entry; the pad acts on nothing meanwhile.
  Click(page->DetectButton());
  EXPECT_EQ(page->DetectButton()->text(), "Stop");
  EXPECT_TRUE(configuration->IsHeldBack(0));
  pad.Button(7, true);
  ASSERT_TRUE(Eventually([&] { return page->DetectButton()->text() == "Detect"; }));
  pad.Button(7, false);
  EXPECT_EQ(page->ElementList()->currentText(), "Button 7");
  EXPECT_EQ(page->DetectState()->text(), "Found: Button 7");
  EXPECT_FALSE(configuration->IsHeldBack(0));
  // Esc stops Detect and leaves the window open.
  Click(page->DetectButton());
  QTest::keyClick(page->DetectButton(), Qt::Key_Escape);
  EXPECT_TRUE(Eventually([&] { return page->DetectButton()->text() == "Detect"; }));
  EXPECT_TRUE(w.isVisible());

  Choose(page->ControllerList(), "Story Pad");  // the profile names it
  Choose(page->ShiftStateList(), "Shift Button 1");
  Choose(page->ThemeList(), "Keys");
  Choose(page->ActionList(), "Tab Once");
  EXPECT_TRUE(w.ApplyButton()->isEnabled());
  page->AvailableList()->setCurrentRow(5);  // Button 7
  Click(page->AddButton());
  EXPECT_EQ(page->ShiftStateList()->itemText(2), "Shift Button 2");
  for (const int row : {0, 1}) {  // the first shift button can move down, the last up
    page->ShiftButtonList()->setCurrentRow(row);
    EXPECT_EQ(page->UpButton()->isEnabled(), row == 1);
    EXPECT_EQ(page->DownButton()->isEnabled(), row == 0);
  }
  Choose(page->ElementList(), "Up Y Axis");  // an axis' percents show in the window, none apart
  for (const QWidget* shown : QApplication::topLevelWidgets())
    EXPECT_TRUE(shown == &w || !shown->isVisible()) << shown->metaObject()->className();
  EXPECT_NEAR(page->ActionList()->width(), page->ThemeList()->width(), 2);  // columns share
  Choose(page->AxisList(), "Z Axis");
  Type(page->ThresholdBox(), "12000");
  Click(w.ApplyButton());
  EXPECT_FALSE(w.ApplyButton()->isEnabled());
  const std::string profile = ReadFolderFile("Gamepad.xml");
  EXPECT_THAT(profile, HasSubstr("<Joystick delay = \"20\" ID = \"0\" name = \"Story Pad\" >"));
  EXPECT_THAT(profile,
              HasSubstr("<Action number = \"0\" theme = \"Keys\" name = \"Escape\" />\r\n"
                        "\t\t\t\t<Action number = \"1\" theme = \"Keys\" name = \"Tab Once\" />"));
  EXPECT_THAT(profile, HasSubstr("<ShiftButton buttonNumber = \"5\" />\r\n\t\t<ShiftButton "
                                 "buttonNumber = \"7\" />"));
  EXPECT_THAT(profile, HasSubstr("name = \"Z Axis\" sensitivity = \"300\" threshold = \"12000\""));
  user.files = {folder.File("New.xml")};  // a new profile: nothing of the last one chosen
  Click(page->OpenButton());
  EXPECT_EQ(page->ActionList()->count(), 1);  // "no action" alone, no theme chosen
}

TEST_F(WindowStories, ActionsTabTakesAKeyFromTheXServerAndCancelForgetsTheAction) {
  qtui::ConfigWindow& w = Open("Actions");
  qtui::ActionsPage* page = w.Actions();
  // The alphabetically first theme and its first action, a combination.
  EXPECT_EQ(page->ThemeBox()->currentText(), "Editing");
  EXPECT_EQ(page->NameBox()->currentText(), "Copy");
  EXPECT_TRUE(page->TypeButton(actionedit::ActionKind::Combination)->isChecked());
  EXPECT_FALSE(page->TypeButton(actionedit::ActionKind::VirtualKey)->isEnabled());
  // The two boxes, side by side and editable, have names of their own for screen readers.
  EXPECT_EQ(page->ThemeBox()->accessibleName() + ", " + page->NameBox()->accessibleName(),
            "Theme, Action");
  // A part chosen in one combination is not chosen in the next one shown.
  EXPECT_EQ(page->Combination()->pushType->Button(PushType::Toggle), nullptr);  // Hold or Hit
  page->Combination()->combined->setCurrentRow(0);
  EXPECT_TRUE(page->Combination()->down->isEnabled());
  Choose(page->NameBox(), "Paste");
  EXPECT_FALSE(page->Combination()->down->isEnabled());

  // A name with both quotes is refused.
  Type(page->NameBox()->lineEdit(), "Say \"it's\"");
  EXPECT_TRUE(page->TypeButton(actionedit::ActionKind::VirtualKey)->isEnabled());
  Click(page->SaveButton());
  EXPECT_EQ(user.asked.back(), "Error: The Action Name cannot contain both:', and \"");

  Type(page->NameBox()->lineEdit(), "Confirm");
  Click(page->TypeButton(actionedit::ActionKind::VirtualKey));
  qtui::KeyPanel* keys = page->Keys();
  Click(keys->press);
  EXPECT_EQ(keys->name->text(), qtui::KeyPanel::kWaitingText);
  PressKeyOnTheServer(0xFF0D);  // Return
  ASSERT_TRUE(Eventually([&] { return keys->key->text() == "0xD"; }));
  EXPECT_EQ(keys->name->text(), "Return");
  EXPECT_EQ(keys->press->text(), qtui::KeyPanel::kPressAKeyText);
  EXPECT_TRUE(w.isVisible()) << "the Return taken is not the window's OK";
  Click(keys->pushType->Button(PushType::Toggle));
  Click(page->SaveButton());
  EXPECT_FALSE(page->TypeButton(actionedit::ActionKind::VirtualKey)->isEnabled());
  EXPECT_TRUE(w.ApplyButton()->isEnabled());
  {
    const auto lock = LockActionLibrary();
    ASSERT_NE(FindAction("Editing", "Confirm"), nullptr);
  }
  Choose(page->ThemeBox(), "Mouse");  // a wheel action's lines, typed and saved
  Choose(page->NameBox(), "Scroll Up");
  Type(page->Wheel()->lines, "7");
  ExpectNothingCovered(page);
  Click(page->SaveButton());
  {
    const auto lock = LockActionLibrary();
    EXPECT_EQ(dynamic_cast<CMouseWheelAction*>(FindAction("Mouse", "Scroll Up"))->GetLines(), 7);
  }
  const std::string before = ReadFolderFile("Actions.xml");
  Click(w.CancelButton());
  EXPECT_FALSE(w.isVisible());
  {
    const auto lock = LockActionLibrary();
    EXPECT_EQ(FindAction("Editing", "Confirm"), nullptr);
  }
  EXPECT_EQ(ReadFolderFile("Actions.xml"), before);

  // A reload that meets a mistake says so in a box of the window, naming the file.
  Open("Joysticks");
  std::ofstream(folder.File("Tandrel.exe.config"), std::ios::trunc) << "<Configuration >";
  Click(window->CancelButton());
  EXPECT_THAT(user.asked.back(), HasSubstr("Configuration Error: The file \"" +
                                           folder.File("Tandrel.exe.config") + "\" is not valid"));
  EXPECT_THAT(user.asked.back(), HasSubstr(CTandrelConfiguration::kPreviousStays));
}

TEST_F(WindowStories, LiveViewFollowsThePadAndHoldsItBackUnlessLetAct) {
  qtui::ConfigWindow& w = Open("Live View");
  qtui::LiveViewPage* page = w.LiveView();
  EXPECT_EQ(page->ControllerList()->currentText(), "Story Pad");
  EXPECT_TRUE(configuration->IsHeldBack(0));
  pad.Button(2, true);
  pad.Pov(9000);
  ASSERT_TRUE(Eventually([&] {
    return page->ViewWidget()->accessibleDescription().startsWith("Buttons down: 2. Hat: Right.");
  })) << page->ViewWidget()->accessibleDescription().toStdString();
  EXPECT_EQ(page->Status()->text(), "Profile: Gamepad.xml    Shift state: 0");
  Click(page->LetActBox());
  EXPECT_FALSE(configuration->IsHeldBack(0));
  Click(page->LetActBox());
  EXPECT_TRUE(configuration->IsHeldBack(0));
  configuration->Load();  // a reload ends every hold-back; the shown tab takes it again
  EXPECT_TRUE(Eventually([&] { return configuration->IsHeldBack(0); }));
  w.Tabs()->setCurrentIndex(0);
  EXPECT_FALSE(configuration->IsHeldBack(0));
  pad.Button(2, false);
  pad.Pov(seam::kPovCentered);
  // On every tab and panel, no control covers another beside it.
  for (int tab = 0; tab < w.Tabs()->count(); ++tab) {
    w.Tabs()->setCurrentIndex(tab);
    ExpectNothingCovered(w.Tabs()->currentWidget());
  }
}

}  // namespace
