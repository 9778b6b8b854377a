// Loading the configuration: the file, its entries, the messages and questions, the start-up
// entry, and the controllers it leaves behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "ConfigFixture.h"
#include "support/PadPromises.h"

namespace {

using seam::MessageAnswer;
using LoadTest = ConfigFixture;

TEST_F(LoadTest, EntriesAndTheControllersTheyLeave) {
  for (int id : {0, 1, 3}) Plug(id);
  std::string noIds, eight;  // entries without an ID, each reported and skipped
  for (int i = 0; i < 10; ++i) noIds += "<Joystick fileName=\"C.xml\"/>";
  for (int i = 0; i < 8; ++i) eight += "\r\n\r\nThere is a joystick with no ID.";
  world.Write("Both.xml", "<Joystick/>");
  world.Write("Other.xml", ButtonProfile("A", " ID=\"1\" name=\"Pad One\""));
  // Letters read as 0, and a second entry for an ID loads into the same controller; a disabled
  // entry loads but does not poll; ID 2 has no controller; a profile for another controller
  // is asked about (No by default) and leaves its controller idle.
  WriteConfig(noIds +
              "<Joystick ID=\"pad\" fileName=\"A.xml\" picture=\"pad.bmp\"/>"
              "<Joystick ID=\"0\" fileName=\"Both.xml\" picture=\"other.bmp\"/>"
              "<Joystick ID=\"1\" fileName=\"B.xml\" enabled=\"FALSE\"/>"
              "<Joystick ID=\"2\" fileName=\"C.xml\" picture=\"c.bmp\"/>"
              "<Joystick ID=\"3\" fileName=\"Other.xml\"/>");
  CTandrelConfiguration& c = Make();
  EXPECT_FALSE(c.LoadFailed());
  // The question, then the findings in one box: the first eight and a count of the rest.
  EXPECT_EQ(
      Messages(),
      (std::vector<std::string>{
          "Warning...: The XML file \"Other.xml\" seems to contain configuration to a different "
          "joystick from \"Test Pad\" that is connected to ID 3.\r\nLoad it anyway?",
          "Configuration Error: 10 problems were found:" + eight + "\r\n\r\n... and 2 more."}));
  EXPECT_EQ(Slot(0) + " " + Slot(1) + " " + Slot(2) + " " + Slot(3), "Both.xml* B.xml - Other.xml");
  // The first entry of an ID is the one reported; button 1 keeps A from the first file.
  EXPECT_EQ(c.GetProfileFileName(0), "A.xml");
  EXPECT_EQ(c.GetPicture(0), "pad.bmp");
  EXPECT_EQ(c.GetPicture(2), std::nullopt);
  EXPECT_EQ(c.GetJoystick(16), nullptr);
  EXPECT_EQ(Tap(0) + Tap(1) + Tap(3), "A");
  world.messages().QueueAnswer(MessageAnswer::Yes);  // to the question at the next load
  c.Load();
  EXPECT_EQ(Slot(3), "Other.xml*");
}

// A configuration file with a mistake fails the first load; a reload that meets one, or an
// actions file gone wrong, changes nothing: the controllers go on as they were, and the message
// says so.
TEST_F(LoadTest, ABrokenFileFailsTheFirstLoadAndLeavesAReloadAsItWas) {
  Plug(0);
  const std::string noActions =
      "Configuration Error: There is no file that is associated with the actions.";
  const struct {
    const char* file;  // nullptr: none
    std::string message;
  } cases[] = {
      {nullptr, "Configuration Error: Could not open the file \"" + module + ".config\"."},
      {"<Configuration>\r\n<Actions fileName=\"Actions.xml\">",
       "Configuration Error: The file \"" + module +
           ".config\" is not valid: expected a child element or a closing tag (end of file), at "
           "line 2, column 33."},
      {"<Configuration><Joysticks/></Configuration>", noActions},
      {"<Configuration><Actions file=\"x\"/><Joysticks/></Configuration>", noActions},
      {"<Configuration><Actions fileName=\"Actions.xml\"/></Configuration>",
       "Configuration Error: There are no configured joysticks."},
      {"<Configuration><Actions fileName=\"a.xml\"/><Joysticks><Joystick ID=\"0\" "
       "fileName=\"A.xml\"/></Joysticks></Configuration>",
       "Configuration Error: The file \"a.xml\" cannot be the actions file: it is the profile of "
       "joystick 0."},
  };
  const auto write = [&](const char* file) {
    std::filesystem::remove(folder + "Tandrel.exe.config");
    if (file) world.Write("Tandrel.exe.config", file);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "no file");
    write(c.file);
    const bool usable = c.message.find("cannot be the actions") != std::string::npos;
    EXPECT_EQ(Make().LoadFailed(), !usable);
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    if (!usable) {
      EXPECT_EQ(Slot(0), "");  // every present controller has an object, none polling
    }
  }
  WriteConfig("<Joystick ID=\"0\" fileName=\"A.xml\"/>");
  CTandrelConfiguration& c = Make();
  for (const auto& broken : cases) {
    SCOPED_TRACE(broken.file ? broken.file : "no file");
    write(broken.file);
    c.Load();
    EXPECT_FALSE(c.LoadFailed());
    EXPECT_EQ(Messages(), std::vector<std::string>{broken.message + "\r\n" +
                                                   CTandrelConfiguration::kPreviousStays});
    EXPECT_EQ(Slot(0), "A.xml*");
    EXPECT_EQ(Tap(0), "A");
  }
  WriteConfig("<Joystick ID=\"0\" fileName=\"B.xml\"/>");
  world.Write("Actions.xml", "<Actions><VKActions>");
  c.Load();
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Slot(0) + Tap(0), "A.xml*A");
  world.Write("Actions.xml", kActionsFile);
  c.Load();
  EXPECT_EQ(Slot(0) + Tap(0), "B.xml*B");
}

TEST_F(LoadTest, LaunchOnStartupKeepsTheStartupEntryInStep) {
  const std::pair<const char*, bool> cases[] = {{"<launchonstartup VALUE=\"TRUE\"/>", true},
                                                {"<LaunchOnStartup value=\"yes\"/>", false}};
  for (const auto& [head, launch] : cases) {
    WriteConfig("", head);
    EXPECT_EQ(Make().GetLaunchOnStartup(), launch) << head;
    EXPECT_EQ(world.startupEntry().Value("Tandrel"),
              launch ? std::optional("\"" + module + "\" /NoConfigure") : std::nullopt);
  }
  world.startupEntry().SetAvailable(false);  // an unavailable start-up list is not reported
  WriteConfig("", "<LaunchOnStartup value=\"true\"/>");
  EXPECT_FALSE(Make().LoadFailed());
  EXPECT_EQ(Messages(), std::vector<std::string>{});
}

// IDs outside 0..15 are asked about once for all, as the file writes them, after the load and
// its messages: No keeps them and asks again at the next load, Yes takes them out of the file.
TEST_F(LoadTest, InvalidIdsAreAskedAboutOnceAndRemovedOnYes) {
  WriteConfig(
      "<Joystick ID=\"16\" fileName=\"A.xml\"/><Joystick ID=\"-2\"/><Joystick/>"
      "<Joystick ID=\"4294967296\"/><Joystick ID=\"0\"/>");
  Make();
  const std::string question =
      "The IDs 16, -2 and 4294967296 are not valid. They must be between 0 and 15.\r\nDelete "
      "them from the configuration file?";
  const auto log = world.messages().TakeLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].text, "There is a joystick with no ID.");
  EXPECT_EQ(log[1], (seam::MessageRecord{question, "Problem", seam::MessageButtons::YesNo,
                                         seam::MessageIcon::Question, MessageAnswer::No}));
  world.messages().QueueAnswer(MessageAnswer::Yes);
  configuration->Load();
  EXPECT_EQ(world.messages().TakeLog().back().text, question);
  const std::string file = world.Read("Tandrel.exe.config");
  EXPECT_EQ(file.find("\"16\""), std::string::npos);
  EXPECT_EQ(file.find("\"-2\""), std::string::npos);
  EXPECT_NE(file.find("ID = \"0\""), std::string::npos);
  WriteConfig("<Joystick ID=\"99\"/>");
  configuration->Load();
  EXPECT_EQ(world.messages().TakeLog().back().text,
            "The ID 99 is not valid. It must be between 0 and 15.\r\nDelete it from the "
            "configuration file?");
}

TEST(ConfigurationSettings, TheModuleOfAConfigFileIsItsPathWithoutTheEnding) {
  // Without the ending the file names its own module: its folder is the program folder.
  const std::pair<std::string, std::string> cases[] = {{"/x/Tandrel.exe.config", "/x/Tandrel.exe"},
                                                       {"C:\\p\\A.CONFIG", "C:\\p\\A"},
                                                       {".config", ".config"}};
  for (const auto& [config, module] : cases) {
    EXPECT_EQ(ConfigurationSettings::ForConfigFile(config).modulePath, module);
    EXPECT_EQ(ConfigurationSettings::ForConfigFile(config).configPath, config);
  }
}

// The default files keep the README's promises on a pad: the table that each system's adapter
// is held to in its own lane, here on the simulated one.
TEST(DefaultFiles, KeepTheirPromisesOnAPad) {
  seam::SimJoysticks pads;
  pads.Plug(0, seam::PadCaps("Pad"));
  const auto hands = [&](const seam::PadReading& r) { pads.SetState(0, seam::PadState(r)); };
  EXPECT_EQ(BrokenPadPromises(TANDREL_TEST_DATA "/../../data", pads, hands),
            std::vector<std::string>{});
}

}  // namespace
