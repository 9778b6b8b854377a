// Loading the configuration: the file, its entries, the messages and questions, the start-up
// entry, and the controllers it leaves behind.
#include <gtest/gtest.h>

#include "ConfigFixture.h"

namespace {

using seam::MessageAnswer;
using LoadTest = ConfigFixture;

TEST_F(LoadTest, DefaultProfilesStartPolling) {
  Plug(0);
  Plug(2);
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/><Joystick ID=\"2\" fileName=\"B.xml\"/>");
  CTandrelConfiguration& c = Make();
  EXPECT_FALSE(c.LoadFailed());
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_EQ(Slot(0) + " " + Slot(1) + " " + Slot(2), "A.xml* - B.xml*");
  EXPECT_EQ(observer.Take(), (std::vector<std::string>{"0 A.xml", "2 B.xml"}));
  EXPECT_EQ(Tap(0) + Tap(2), "AB");
  EXPECT_EQ(c.GetProgramFolder(), folder);
  EXPECT_EQ(c.GetConfigPath(), module + ".config");
}

TEST_F(LoadTest, ABrokenFileFailsTheLoadAndAReloadRecovers) {
  Plug(0);
  const std::string noActions =
      "Configuration Error: There is no file that is associated with the actions.";
  const struct {
    const char* file;  // nullptr: none
    std::vector<std::string> messages;
  } cases[] = {
      {nullptr, {"Configuration Error: Could not open the file \"" + module + ".config\"."}},
      {"<Configuration><Actions fileName=\"Actions.xml\">", {}},  // unparsable: silent
      {"<Configuration><Joysticks/></Configuration>", {noActions}},
      {"<Configuration><Actions file=\"x\"/><Joysticks/></Configuration>", {noActions}},
      {"<Configuration><Actions fileName=\"Actions.xml\"/></Configuration>",
       {"Configuration Error: There are no configured joysticks."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "no file");
    std::filesystem::remove(folder + "Tandrel.exe.config");
    if (c.file) Write("Tandrel.exe.config", c.file);
    EXPECT_TRUE(Make().LoadFailed());
    EXPECT_EQ(Messages(), c.messages);
    // Every present controller has an object, none of them polling.
    EXPECT_EQ(Slot(0), "");
    EXPECT_EQ(configuration->GetProfileFileName(0), std::nullopt);
  }
  // The actions were loaded before the missing joysticks failed the load.
  EXPECT_TRUE(ActionExists("keys", "a"));
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/>");
  configuration->Load();
  EXPECT_FALSE(configuration->LoadFailed());
  EXPECT_EQ(Slot(0), "A.xml*");
}

TEST_F(LoadTest, LaunchOnStartupKeepsTheStartupEntryInStep) {
  const struct {
    const char* head;
    bool launch;
  } cases[] = {{"<LaunchOnStartup value=\"TRUE\"/>", true},
               {"<LaunchOnStartup value=\"yes\"/>", false},
               {"<launchonstartup VALUE=\"true\"/>", true},
               {"", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.head);
    WriteConfig("", c.head);
    EXPECT_EQ(Make().GetLaunchOnStartup(), c.launch);
    EXPECT_EQ(world.startupEntry().Value("Tandrel"),
              c.launch ? std::optional(module + " /NoConfigure") : std::nullopt);
  }
  // An unavailable start-up list is not reported.
  world.startupEntry().SetAvailable(false);
  WriteConfig("", "<LaunchOnStartup value=\"true\"/>");
  EXPECT_FALSE(Make().LoadFailed());
  EXPECT_EQ(Messages(), std::vector<std::string>{});
}

TEST_F(LoadTest, EntriesAndTheControllersTheyLeave) {
  for (int id : {0, 1, 3}) Plug(id);
  WriteConfig(
      "<Joystick fileName=\"C.xml\"/>"                             // no ID: reported, skipped
      "<Joystick ID=\"pad\" fileName=\"A.xml\"/>"                  // letters read as 0
      "<Joystick ID=\"0\" fileName=\"a.XML\"/>"                    // the same file: read once
      "<Joystick ID=\"1\" fileName=\"B.xml\" enabled=\"FALSE\"/>"  // loads, does not poll
      "<Joystick ID=\"2\" fileName=\"C.xml\"/>");                  // no controller
  CTandrelConfiguration& c = Make();
  EXPECT_FALSE(c.LoadFailed());
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Configuration Error: There is a joystick with no ID."});
  EXPECT_EQ(Slot(0) + " " + Slot(1) + " " + Slot(2) + " [" + Slot(3) + "]", "A.xml* B.xml - []");
  EXPECT_EQ(observer.Take(), std::vector<std::string>{"0 A.xml"});
  EXPECT_EQ(c.GetProfileFileName(0), "A.xml");
  EXPECT_EQ(c.GetPicture(3), std::nullopt);
  EXPECT_EQ(Tap(0) + Tap(1) + Tap(3), "A");
}

TEST_F(LoadTest, SeveralEntriesForOneIdLoadIntoOneControllerAndTheFirstIsReported) {
  Plug(0);
  Write("Both.xml",
        "<Joystick><Buttons><Button number=\"2\"><Actions><Action number=\"0\" Theme=\"Keys\" "
        "name=\"B\"/></Actions></Button></Buttons></Joystick>");
  WriteConfig(
      "<Joystick ID=\"1\" picture=\"one.bmp\" fileName=\"B.xml\"/>"
      "<Joystick ID=\"0\" fileName=\"A.xml\" picture=\"pad.bmp\"/>"
      "<Joystick ID=\"0\" fileName=\"Both.xml\" picture=\"other.bmp\"/>"
      "<Joystick ID=\"2\"/>");
  CTandrelConfiguration& c = Make();
  EXPECT_EQ(Slot(0), "Both.xml*");
  EXPECT_EQ(observer.Take(), (std::vector<std::string>{"0 A.xml", "0 Both.xml"}));
  EXPECT_EQ(c.GetProfileFileName(0), "A.xml");
  EXPECT_EQ(c.GetPicture(0), "pad.bmp");
  EXPECT_EQ(c.GetProfileFileName(1), "B.xml");
  EXPECT_EQ(c.GetPicture(1), std::nullopt);  // no controller object for ID 1
  EXPECT_EQ(c.GetProfileFileName(2), std::nullopt);
  EXPECT_EQ(c.GetProfileFileName(7), std::nullopt);
  EXPECT_EQ(c.GetJoystick(-1), nullptr);
  EXPECT_EQ(c.GetJoystick(16), nullptr);
  // Button 1 keeps A from the first file, button 2 has B from the second.
  EXPECT_EQ(Tap(0), "A");
  world.joysticks().PressButton(0, 2);
  world.Advance(30);
  EXPECT_EQ(world.input().KeysDown(), std::vector<std::uint8_t>{0x42});
}

TEST_F(LoadTest, AnInvalidIdIsRemovedFromTheFileOnYes) {
  WriteConfig("<Joystick ID=\"16\" fileName=\"A.xml\"/><Joystick ID=\"-2\"/>");
  world.messages().QueueAnswer(MessageAnswer::Yes);
  world.messages().QueueAnswer(MessageAnswer::No);
  Make();
  const auto log = world.messages().TakeLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].text,
            "The ID 16 is not valid. It must be between 0 and 15.\r\nDelete it from the "
            "configuration file?");
  EXPECT_EQ(log[0].caption, "Problem");
  EXPECT_EQ(log[0].buttons, seam::MessageButtons::YesNo);
  EXPECT_EQ(log[0].icon, seam::MessageIcon::Question);
  EXPECT_EQ(log[1].text.substr(0, 14), "The ID -2 is n");
  // The load rewrote the file without the entry answered Yes.
  const std::string file = Read("Tandrel.exe.config");
  EXPECT_EQ(file.find("\"16\""), std::string::npos);
  EXPECT_NE(file.find("ID = \"-2\""), std::string::npos);
  // The kept entry asks again at every load.
  configuration->Load();
  EXPECT_EQ(world.messages().TakeLog().size(), 1u);
}

TEST_F(LoadTest, ProfileProblemsAreShownAndLeaveTheControllerIdle) {
  Plug(0, "Pad One");
  Plug(1);
  Write("Bad.xml", "<Profile/>");
  Write("Other.xml", ButtonProfile("A", " ID=\"1\" name=\"Pad One\""));
  WriteConfig(
      "<Joystick ID=\"0\" fileName=\"Other.xml\"/><Joystick ID=\"1\" fileName=\"Bad.xml\"/>");
  Make();
  EXPECT_FALSE(configuration->LoadFailed());
  const auto log = world.messages().TakeLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].caption, "Warning...");
  EXPECT_EQ(log[0].answer, MessageAnswer::No);
  EXPECT_EQ(log[1].caption + ": " + log[1].text,
            "XML Error: The XML file doesn't contain valid joystick configuration information.");
  EXPECT_EQ(Slot(0) + " " + Slot(1), "Other.xml Bad.xml");
  world.messages().QueueAnswer(MessageAnswer::Yes);
  configuration->Load();
  EXPECT_EQ(Slot(0), "Other.xml*");
}

TEST_F(LoadTest, EveryLoadRewritesTheFileKeepingWhatItDoesNotKnow) {
  Plug(0);
  Write("Tandrel.exe.config",
        "<config><Extra a='1' b='2'/><Actions fileName='Actions.xml' note='x'/>"
        "<Joysticks><Joystick ID='0' fileName='A.xml' mine='yes'><Profile window='Edit' "
        "fileName='B.xml'/></Joystick></Joysticks></config>");
  Make();
  EXPECT_EQ(Read("Tandrel.exe.config"),
            "<config >\r\n"
            "\t<Extra a = \"1\" b = \"2\" />\r\n"
            "\t<Actions fileName = \"Actions.xml\" note = \"x\" />\r\n"
            "\t<Joysticks >\r\n"
            "\t\t<Joystick ID = \"0\" fileName = \"A.xml\" mine = \"yes\" >\r\n"
            "\t\t\t<Profile window = \"Edit\" fileName = \"B.xml\" />\r\n"
            "\t\t</Joystick>\r\n"
            "\t</Joysticks>\r\n"
            "</config>\r\n");
}

TEST_F(LoadTest, AReadOnlyConfigurationChangesNothingOutside) {
  Plug(0);
  const std::string text =
      "<Configuration><LaunchOnStartup value='true'/><Actions fileName='Actions.xml'/>"
      "<Joysticks><Joystick ID='16'/><Joystick ID='0' fileName='A.xml'/></Joysticks>"
      "</Configuration>";
  Write("Tandrel.exe.config", text);
  world.messages().QueueAnswer(MessageAnswer::Yes);
  CTandrelConfiguration& c = Make(true);
  EXPECT_EQ(Read("Tandrel.exe.config"), text);
  EXPECT_EQ(world.startupEntry().Size(), 0u);
  EXPECT_TRUE(c.SaveConfigFile());
  EXPECT_TRUE(c.SaveActionsFile());
  EXPECT_EQ(Read("Tandrel.exe.config"), text);
  EXPECT_EQ(Read("Actions.xml"), kActionsFile);
  EXPECT_EQ(Slot(0), "A.xml*");
}

TEST_F(LoadTest, AReloadAndTheDestructionReleaseWhatControllersHeld) {
  Plug(0);
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/>");
  Make();
  Hold(0);
  EXPECT_EQ(world.input().KeysDown(), std::vector<std::uint8_t>{0x41});
  WriteConfig("<Joystick ID=\"0\" fileName=\"B.xml\"/>");
  configuration->Load();
  EXPECT_TRUE(world.input().AllReleased());
  EXPECT_EQ(Slot(0), "B.xml*");
  // The button still held does nothing until it is released and pressed again.
  world.Advance(90);
  EXPECT_TRUE(world.input().AllReleased());
  world.joysticks().ReleaseButton(0, 1);
  Hold(0);
  world.Advance(600);
  EXPECT_EQ(world.input().KeysDown(), std::vector<std::uint8_t>{0x42});
  EXPECT_GE(world.timers().RunningTimers(), 2u);
  configuration.reset();
  EXPECT_TRUE(world.input().AllReleased());
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  EXPECT_EQ(GetThemeCount(), 0);
  world.Advance(5000);
}

TEST(ConfigurationSettings, TheModuleOfAConfigFileIsItsPathWithoutTheEnding) {
  EXPECT_EQ(ConfigurationSettings::ForConfigFile("/x/Tandrel.exe.config").configPath,
            "/x/Tandrel.exe.config");
  for (const auto& [config, module] : std::vector<std::pair<std::string, std::string>>{
           {"/x/Tandrel.exe.config", "/x/Tandrel.exe"},
           {"C:\\p\\A.CONFIG", "C:\\p\\A"},
           // Without the ending the file names its own module: its folder is the program folder.
           {"/x/settings.xml", "/x/settings.xml"},
           {".config", ".config"}}) {
    EXPECT_EQ(ConfigurationSettings::ForConfigFile(config).modulePath, module);
  }
}

}  // namespace
