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
  EXPECT_EQ(Slot(0), "A.xml*");
  EXPECT_EQ(Slot(1), "-");
  EXPECT_EQ(Slot(2), "B.xml*");
  EXPECT_EQ(observer.Take(), (std::vector<std::string>{"0 A.xml", "2 B.xml"}));
  EXPECT_EQ(Tap(0), "A");
  EXPECT_EQ(Tap(2), "B");
  EXPECT_EQ(c.GetProgramFolder(), folder);
  EXPECT_EQ(c.GetConfigPath(), module + ".config");
}

TEST_F(LoadTest, AMissingFileFailsAfterTheReadersMessage) {
  Plug(0);
  CTandrelConfiguration& c = Make();
  EXPECT_TRUE(c.LoadFailed());
  EXPECT_EQ(Messages(), std::vector<std::string>{"Configuration Error: Could not open the file \"" +
                                                 module + ".config\"."});
  // Every present controller has an object, none of them polling.
  EXPECT_EQ(Slot(0), "");
  EXPECT_EQ(c.GetProfileFileName(0), std::nullopt);
}

TEST_F(LoadTest, AnUnparsableFileFailsSilently) {
  Write("Tandrel.exe.config", "<Configuration><Actions fileName=\"Actions.xml\">");
  EXPECT_TRUE(Make().LoadFailed());
  EXPECT_EQ(Messages(), std::vector<std::string>{});
}

TEST_F(LoadTest, TheActionsFileMustBeNamed) {
  Write("Tandrel.exe.config", "<Configuration><Joysticks/></Configuration>");
  EXPECT_TRUE(Make().LoadFailed());
  Write("Tandrel.exe.config", "<Configuration><Actions file=\"x\"/><Joysticks/></Configuration>");
  EXPECT_TRUE(Make().LoadFailed());
  EXPECT_EQ(Messages(),
            std::vector<std::string>(
                2, "Configuration Error: There is no file that is associated with the actions."));
}

TEST_F(LoadTest, TheJoysticksElementMustExist) {
  Write("Tandrel.exe.config", "<Configuration><Actions fileName=\"Actions.xml\"/></Configuration>");
  CTandrelConfiguration& c = Make();
  EXPECT_TRUE(c.LoadFailed());
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Configuration Error: There are no configured joysticks."});
  // The actions were loaded before the failure.
  EXPECT_TRUE(ActionExists("keys", "a"));
}

TEST_F(LoadTest, AReloadAfterAFailureRecovers) {
  Plug(0);
  Write("Tandrel.exe.config", "<Configuration/>");
  CTandrelConfiguration& c = Make();
  EXPECT_TRUE(c.LoadFailed());
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/>");
  c.Load();
  EXPECT_FALSE(c.LoadFailed());
  EXPECT_EQ(Slot(0), "A.xml*");
}

TEST_F(LoadTest, LaunchOnStartupKeepsTheStartupEntryInStep) {
  WriteConfig("", "<LaunchOnStartup value=\"TRUE\"/>");
  CTandrelConfiguration& c = Make();
  EXPECT_TRUE(c.GetLaunchOnStartup());
  EXPECT_EQ(world.startupEntry().Value("Tandrel"), module + " /NoConfigure");
  WriteConfig("", "<LaunchOnStartup value=\"yes\"/>");
  c.Load();
  EXPECT_FALSE(c.GetLaunchOnStartup());
  EXPECT_EQ(world.startupEntry().Value("Tandrel"), std::nullopt);
  WriteConfig("", "<launchonstartup VALUE=\"true\"/>");
  c.Load();
  EXPECT_TRUE(c.GetLaunchOnStartup());
  WriteConfig("");
  c.Load();
  EXPECT_EQ(world.startupEntry().Value("Tandrel"), std::nullopt);
}

TEST_F(LoadTest, AnUnavailableStartupListIsNotReported) {
  world.startupEntry().SetAvailable(false);
  WriteConfig("", "<LaunchOnStartup value=\"true\"/>");
  EXPECT_FALSE(Make().LoadFailed());
  EXPECT_EQ(Messages(), std::vector<std::string>{});
}

TEST_F(LoadTest, EntriesWithoutIdAreReportedAndSkipped) {
  Plug(0);
  WriteConfig("<Joystick fileName=\"B.xml\"/><Joystick ID=\"0\" fileName=\"A.xml\"/>");
  EXPECT_FALSE(Make().LoadFailed());
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Configuration Error: There is a joystick with no ID."});
  EXPECT_EQ(Slot(0), "A.xml*");
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

TEST_F(LoadTest, AnIdOfLettersReadsAsZero) {
  Plug(0);
  WriteConfig("<Joystick ID=\"pad\" fileName=\"A.xml\"/>");
  Make();
  EXPECT_EQ(Slot(0), "A.xml*");
  EXPECT_EQ(configuration->GetProfileFileName(0), "A.xml");
}

TEST_F(LoadTest, ADisabledEntryLoadsButDoesNotPoll) {
  Plug(0);
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\" enabled=\"FALSE\"/>");
  Make();
  EXPECT_EQ(Slot(0), "A.xml");
  EXPECT_EQ(observer.Take(), std::vector<std::string>{});
  EXPECT_EQ(Tap(0), "");
}

TEST_F(LoadTest, AControllerWithoutAnEntryGetsAnIdleObject) {
  Plug(3);
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/>");
  Make();
  EXPECT_EQ(Slot(3), "");
  EXPECT_EQ(Slot(0), "-");
  EXPECT_EQ(configuration->GetPicture(3), std::nullopt);
}

TEST_F(LoadTest, TwoEntriesForOneIdLoadIntoOneController) {
  Plug(0);
  Write("Both.xml",
        "<Joystick><Buttons><Button number=\"2\"><Actions><Action number=\"0\" Theme=\"Keys\" "
        "name=\"B\"/></Actions></Button></Buttons></Joystick>");
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/><Joystick ID=\"0\" fileName=\"Both.xml\"/>");
  Make();
  EXPECT_EQ(Slot(0), "Both.xml*");
  EXPECT_EQ(configuration->GetProfileFileName(0), "A.xml");
  // Button 1 keeps A from the first file, button 2 has B from the second.
  EXPECT_EQ(Tap(0), "A");
  world.joysticks().PressButton(0, 2);
  world.Advance(30);
  EXPECT_EQ(world.input().KeysDown(), std::vector<std::uint8_t>{0x42});
  world.joysticks().ReleaseButton(0, 2);
  world.Advance(30);
  EXPECT_EQ(observer.Take(), (std::vector<std::string>{"0 A.xml", "0 Both.xml"}));
}

TEST_F(LoadTest, TheSameFileTwiceIsReadOnce) {
  Plug(0);
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/><Joystick ID=\"0\" fileName=\"a.XML\"/>");
  Make();
  EXPECT_EQ(observer.Take(), std::vector<std::string>{"0 A.xml"});
  EXPECT_EQ(Slot(0), "A.xml*");
}

TEST_F(LoadTest, ProfileProblemsAreShownAndLeaveTheControllerIdle) {
  Plug(0);
  Write("Bad.xml", "<Profile/>");
  WriteConfig("<Joystick ID=\"0\" fileName=\"Bad.xml\"/>");
  Make();
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "XML Error: The XML file doesn't contain valid joystick configuration "
                            "information."});
  EXPECT_EQ(Slot(0), "Bad.xml");
  EXPECT_FALSE(configuration->LoadFailed());
}

TEST_F(LoadTest, AProfileForAnotherControllerAsksFirst) {
  Plug(0, "Pad One");
  Write("Other.xml", ButtonProfile("A", " ID=\"1\" name=\"Pad One\""));
  WriteConfig("<Joystick ID=\"0\" fileName=\"Other.xml\"/>");
  Make();
  const auto log = world.messages().TakeLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].caption, "Warning...");
  EXPECT_EQ(log[0].answer, MessageAnswer::No);
  EXPECT_EQ(Slot(0), "Other.xml");
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

TEST_F(LoadTest, AReloadReleasesWhatTheOldControllersHeld) {
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
}

TEST_F(LoadTest, AccessorsFollowTheLoadedDocument) {
  Plug(0);
  WriteConfig(
      "<Joystick ID=\"1\" picture=\"one.bmp\" fileName=\"B.xml\"/>"
      "<Joystick ID=\"0\" fileName=\"A.xml\" picture=\"pad.bmp\"/>"
      "<Joystick ID=\"0\" fileName=\"C.xml\" picture=\"other.bmp\"/>"
      "<Joystick ID=\"2\"/>");
  CTandrelConfiguration& c = Make();
  EXPECT_EQ(c.GetProfileFileName(0), "A.xml");
  EXPECT_EQ(c.GetPicture(0), "pad.bmp");
  EXPECT_EQ(c.GetProfileFileName(1), "B.xml");
  EXPECT_EQ(c.GetPicture(1), std::nullopt);  // no controller object for ID 1
  EXPECT_EQ(c.GetProfileFileName(2), std::nullopt);
  EXPECT_EQ(c.GetProfileFileName(7), std::nullopt);
  EXPECT_EQ(c.GetJoystick(-1), nullptr);
  EXPECT_EQ(c.GetJoystick(16), nullptr);
}

TEST_F(LoadTest, DestructionReleasesEverythingAndStopsEveryTimer) {
  Plug(0);
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/>");
  Make();
  Hold(0);
  world.Advance(600);
  EXPECT_FALSE(world.input().AllReleased());
  EXPECT_GE(world.timers().RunningTimers(), 2u);
  configuration.reset();
  EXPECT_TRUE(world.input().AllReleased());
  EXPECT_EQ(world.timers().RunningTimers(), 0u);
  EXPECT_EQ(GetThemeCount(), 0);
  world.Advance(5000);
}

}  // namespace

namespace {

TEST(ConfigurationSettings, TheModuleOfAConfigFileIsItsPathWithoutTheEnding) {
  auto settings = ConfigurationSettings::ForConfigFile("/x/Tandrel.exe.config");
  EXPECT_EQ(settings.modulePath, "/x/Tandrel.exe");
  EXPECT_EQ(settings.configPath, "/x/Tandrel.exe.config");
  EXPECT_EQ(ConfigurationSettings::ForConfigFile("C:\\p\\A.CONFIG").modulePath, "C:\\p\\A");
  // Without the ending the file names its own module, so its folder is the program folder.
  EXPECT_EQ(ConfigurationSettings::ForConfigFile("/x/settings.xml").modulePath, "/x/settings.xml");
  EXPECT_EQ(ConfigurationSettings::ForConfigFile(".config").modulePath, ".config");
}

}  // namespace
