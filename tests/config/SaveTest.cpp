// Writing the configuration file, the actions file and the Joysticks tab's merge: atomic
// saves that leave the previous file whole and report failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "ConfigFixture.h"
#include "actions/VKAction.h"

namespace {

class SaveTest : public ConfigFixture {
 protected:
  // Makes the saves fail from now on: their temporary files cannot be created.
  void BlockSaving() { world.platform().files().SetFailing(seam::SimFiles::Step::Create, true); }
};

TEST_F(SaveTest, AFailedConfigurationSaveKeepsTheOldFileAndReportsIt) {
  Plug(0);
  const std::string text =
      "<Configuration><Actions fileName='Actions.xml'/><Joysticks><Joystick ID='0' "
      "fileName='A.xml'/></Joysticks></Configuration>";
  Write("Tandrel.exe.config", text);
  BlockSaving();
  CTandrelConfiguration& c = Make();
  EXPECT_FALSE(c.LoadFailed());  // the load itself succeeded
  EXPECT_EQ(Messages(), std::vector<std::string>{"Configuration Error: Could not open the file \"" +
                                                 module + ".config\"."});
  EXPECT_EQ(Read("Tandrel.exe.config"), text);
  EXPECT_FALSE(c.SaveConfigFile());
  EXPECT_EQ(Slot(0), "A.xml*");
}

TEST_F(SaveTest, TheActionsFileIsWrittenFromTheLibraryAndAFailureKeepsIt) {
  WriteConfig("");
  CTandrelConfiguration& c = Make();
  auto action = std::make_unique<CVKAction>(0x0d, PushType::Hit, "Enter");
  action->SetTheme("Menus");
  ASSERT_TRUE(AddAction(std::move(action)));
  ASSERT_TRUE(c.SaveActionsFile());
  const std::string file = Read("Actions.xml");
  EXPECT_NE(
      file.find("<VKAction theme = \"Menus\" name = \"Enter\" type = \"Hit\" value = \"0xd\" />"),
      std::string::npos);
  EXPECT_NE(file.find("name = \"A\""), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder + "Actions.xml.tmp"));
  // A failed save names the file as configured.
  BlockSaving();
  EXPECT_FALSE(c.SaveActionsFile());
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "Configuration Error: Could not open the file \"Actions.xml\"."});
  EXPECT_EQ(Read("Actions.xml"), file);
}

TEST_F(SaveTest, AnAbsoluteActionsPathIsUsedAsGivenAndNoneWritesNothing) {
  std::filesystem::create_directory(folder + "lib");
  Write("lib/Mine.xml", kActionsFile);
  Write("Tandrel.exe.config", "<Configuration><Actions fileName='" + folder +
                                  "lib/Mine.xml'/><Joysticks/></Configuration>");
  CTandrelConfiguration& c = Make();
  EXPECT_TRUE(ActionExists("Keys", "C"));
  ClearActions();
  ASSERT_TRUE(c.SaveActionsFile());
  EXPECT_EQ(Read("lib/Mine.xml"),
            "<Actions >\r\n\t<VKActions />\r\n\t<MouseActions />\r\n\t<MouseWheelActions />\r\n"
            "\t<ComplexActions />\r\n</Actions>\r\n");
  // Without an actions element.
  Write("Tandrel.exe.config", "<Configuration><Joysticks/></Configuration>");
  c.Load();
  Messages();
  std::filesystem::remove(folder + "Actions.xml");
  EXPECT_FALSE(c.SaveActionsFile());
  EXPECT_FALSE(std::filesystem::exists(folder + "Actions.xml"));
  EXPECT_EQ(Messages(), std::vector<std::string>{});
}

TEST_F(SaveTest, TheJoysticksTabMergesIntoTheFileOnDisk) {
  Plug(0);
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"A.xml\" enabled=\"false\"><Profile window=\"W\" "
      "fileName=\"B.xml\"/></Joystick><Joystick ID=\"3\" fileName=\"C.xml\"/>");
  CTandrelConfiguration& c = Make();
  JoysticksTabState tab;
  tab.launchOnStartup = true;
  tab.controllers[0] = {"B.xml", "pad.bmp", true};
  ASSERT_TRUE(c.SaveJoysticksTab(tab));
  EXPECT_EQ(Read("Tandrel.exe.config"),
            "<Configuration >\r\n"
            "\t<Actions fileName = \"Actions.xml\" />\r\n"
            "\t<Joysticks >\r\n"
            "\t\t<Joystick ID = \"0\" fileName = \"B.xml\" picture = \"pad.bmp\" >\r\n"
            "\t\t\t<Profile window = \"W\" fileName = \"B.xml\" />\r\n"
            "\t\t</Joystick>\r\n"
            "\t</Joysticks>\r\n"
            "\t<LaunchOnStartup value = \"true\" />\r\n"
            "</Configuration>\r\n");
  // The tab does not reload; the configuration window does that afterwards.
  EXPECT_EQ(Slot(0), "A.xml");
  c.Load();
  EXPECT_EQ(Slot(0), "B.xml*");
  EXPECT_EQ(c.GetPicture(0), "pad.bmp");
}

TEST_F(SaveTest, TheJoysticksTabStartsAfreshWhenTheFileCannotBeRead) {
  Write("Tandrel.exe.config", "<Configuration><Actions fileName='Actions.xml'/><Joysticks/>");
  CTandrelConfiguration& c = Make();
  JoysticksTabState tab;
  tab.controllers[2] = {"C.xml", "", false};
  ASSERT_TRUE(c.SaveJoysticksTab(tab));
  EXPECT_EQ(Read("Tandrel.exe.config"),
            "<Configuration >\r\n"
            "\t<LaunchOnStartup value = \"false\" />\r\n"
            "\t<Actions fileName = \"Actions.xml\" />\r\n"
            "\t<Joysticks >\r\n"
            "\t\t<Joystick ID = \"2\" fileName = \"C.xml\" enabled = \"false\" />\r\n"
            "\t</Joysticks>\r\n"
            "</Configuration>\r\n");
}

TEST_F(SaveTest, AFailedTabSaveIsReportedAndKeepsTheFile) {
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/>");
  CTandrelConfiguration& c = Make();
  const std::string before = Read("Tandrel.exe.config");
  BlockSaving();
  EXPECT_FALSE(c.SaveJoysticksTab(JoysticksTabState{}));
  const auto log = world.messages().TakeLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text, "Coudln't save the configuration file");
  EXPECT_EQ(log[0].caption, "Error");
  EXPECT_EQ(log[0].icon, seam::MessageIcon::Error);
  EXPECT_EQ(Read("Tandrel.exe.config"), before);
}

}  // namespace
