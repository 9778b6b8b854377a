// What the configuration writes to disk: the configuration file left as it is by a load, the
// Joysticks tab merged into the file as it stands, the actions file; atomic saves that leave
// the previous file whole and report failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "ConfigFixture.h"
#include "actions/VKAction.h"
#include "xml/XMLReader.h"

namespace {

class SaveTest : public ConfigFixture {
 protected:
  // Makes every following save fail (or succeed again): no file can be created.
  void BlockSaving(bool blocked = true) {
    world.platform().files().SetFailing(seam::SimFiles::Step::Create, blocked);
  }
};

using Tab = std::vector<std::pair<int, JoysticksTabState::Controller>>;

// The configuration file before and after a load (no tab: untouched) or the tab's save, byte
// for byte.
// Existing elements and attributes keep their places and what the program does not know stays; an
// ID the tab shows with neither profile nor picture loses its first entry, rules and all, and IDs
// it does not show keep theirs; new entries go at the end in ID order with the ID first;
// "Joysticks" is made only for a profile; an unreadable file starts afresh, its bytes kept.
TEST_F(SaveTest, FilesOnDiskAfterALoadOrTheJoysticksTab) {
  const struct {
    const char* before;
    std::optional<Tab> tab;
    bool launch;
    std::string after;
  } cases[] = {
      {"<config><Extra a='1' b='2'/><Actions fileName='Actions.xml' note='x'/><Joysticks>"
       "<Joystick ID='0' fileName='A.xml' mine='yes'><Profile window='Edit' fileName='B.xml'/>"
       "</Joystick></Joysticks></config>",
       std::nullopt, false, ""},
      {"<C><LaunchOnStartup value='true' x='1'/><Actions fileName='Mine.xml'/><Joysticks>"
       "<Joystick picture='p.bmp' ID='1' fileName='Old.xml' enabled='FALSE' enabled='x'>"
       "<Profile window='W' fileName='R.xml'/></Joystick></Joysticks></C>",
       Tab{{1, {"New.xml", "", false}}}, false,
       "<C><LaunchOnStartup value='false' x='1'/><Actions fileName='Mine.xml'/><Joysticks>"
       "<Joystick ID='1' fileName='New.xml' enabled='false' enabled='x'>"
       "<Profile window='W' fileName='R.xml'/></Joystick></Joysticks></C>"},
      {"<C><Joysticks><Joystick ID='0' fileName='A.xml' enabled='false' enabled='false'/>"
       "</Joysticks></C>",
       Tab{{0, {"", "pad.bmp", true}}}, true,
       "<C><Joysticks><Joystick ID='0' picture='pad.bmp'/></Joysticks>"
       "<LaunchOnStartup value='true'/><Actions fileName='Actions.xml'/></C>"},
      {"<C><Actions fileName='A'/><Joysticks><Joystick ID='3' fileName='X'>"
       "<Profile window='W' fileName='Y'/></Joystick><Joystick ID='3' fileName='Z'/>"
       "<Joystick fileName='no id'/><Joystick ID='9' fileName='N'/></Joysticks></C>",
       Tab{{12, {"T.xml", "t.bmp", false}}, {4, {"F.xml", "", true}}, {3, {"", "", true}}}, false,
       "<C><Actions fileName='A'/><Joysticks><Joystick ID='3' fileName='Z'/>"
       "<Joystick fileName='no id'/><Joystick ID='9' fileName='N'/>"
       "<Joystick ID='4' fileName='F.xml'/>"
       "<Joystick ID='12' fileName='T.xml' enabled='false' picture='t.bmp'/></Joysticks>"
       "<LaunchOnStartup value='false'/></C>"},
      {"<Configuration/>", Tab{{0, {"", "only.bmp", true}}, {1, {"P.xml", "", true}}}, false,
       "<Configuration><LaunchOnStartup value='false'/><Actions fileName='Actions.xml'/>"
       "<Joysticks><Joystick ID='0' picture='only.bmp'/><Joystick ID='1' fileName='P.xml'/>"
       "</Joysticks></Configuration>"},
      {"<Configuration><Actions fileName='Actions.xml'/><Joysticks/>",
       Tab{{2, {"C.xml", "", false}}}, false,
       "<Configuration><LaunchOnStartup value='false'/><Actions fileName='Actions.xml'/>"
       "<Joysticks><Joystick ID='2' fileName='C.xml' enabled='false'/></Joysticks>"
       "</Configuration>"},
  };
  for (const auto& c : cases) {  // the first one makes the configuration
    SCOPED_TRACE(c.before);
    world.Write("Tandrel.exe.config", c.before);
    if (!c.tab) {
      Make();
    } else {
      JoysticksTabState tab;
      tab.launchOnStartup = c.launch;
      for (const auto& [id, data] : *c.tab) tab.controllers[id] = data;
      ASSERT_TRUE(configuration->SaveJoysticksTab(tab));
    }
    // As the writer writes the expected tree, or the file as it was.
    EXPECT_EQ(
        world.Read("Tandrel.exe.config"),
        c.after.empty() ? c.before : ReadXMLMemory(c.after.data(), c.after.size()).root->ToText());
  }
  const std::string config = module + ".config";
  // One box, once the configuration lock is released.
  EXPECT_EQ(
      Messages(),
      (std::vector<std::string>{
          "Configuration Error: 2 problems were found:\r\n\r\nThe file \"" + config +
          "\" is not valid: expected a child element or a closing tag (end of file), at line 1, "
          "column 61.\r\n\r\nThe file \"" +
          config + "\" could not be read. Its contents were kept in \"" + config +
          ".bak\" before it was written again."}));
  EXPECT_EQ(world.Read("Tandrel.exe.config.bak"), cases[std::size(cases) - 1].before);
}

TEST_F(SaveTest, FailedSavesKeepTheOldFilesAndAreReported) {
  Plug(0);
  WriteConfig("<Joystick ID='0' fileName='A.xml'/>");
  const std::string config = world.Read("Tandrel.exe.config");
  BlockSaving();
  CTandrelConfiguration& c = Make();
  EXPECT_FALSE(c.LoadFailed());  // the load itself succeeded
  EXPECT_EQ(Slot(0), "A.xml*");
  EXPECT_FALSE(c.SaveConfigFile());
  EXPECT_FALSE(c.SaveJoysticksTab(JoysticksTabState{}));
  EXPECT_FALSE(c.SaveActionsFile());
  // A value the reader would refuse is never written.
  JoysticksTabState longPath;
  longPath.controllers[0] = JoysticksTabState::Controller{std::string(256, 'p'), "", true};
  EXPECT_FALSE(c.SaveJoysticksTab(longPath));
  const std::string notWritten = "\" could not be written: no space left on device.";
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{
                "Configuration Error: The file \"" + module + ".config" + notWritten,
                "Error: Coudln't save the configuration file\r\nThe file \"" + module + ".config" +
                    notWritten,
                "Configuration Error: The file \"Actions.xml" + notWritten,
                "Error: The file \"" + module +
                    ".config\" was not written: its \"fileName\" would hold 256 bytes, more than "
                    "the 255 that the program reads in a value."}));
  EXPECT_EQ(world.Read("Tandrel.exe.config"), config);
  EXPECT_EQ(world.Read("Actions.xml"), kActionsFile);
}

TEST_F(SaveTest, TheActionsFileIsWrittenFromTheLibraryToItsPathAndNoneWritesNothing) {
  std::filesystem::create_directory(folder + "lib");
  world.Write("lib/Mine.xml", kActionsFile);
  world.Write("Tandrel.exe.config", "<Configuration><Actions fileName='" + folder +
                                        "lib/Mine.xml'/><Joysticks/></Configuration>");
  CTandrelConfiguration& c = Make();
  ASSERT_TRUE(AddAction(std::make_unique<CVKAction>(0x0d, PushType::Hit, "Enter")));
  ASSERT_TRUE(c.SaveActionsFile());
  // The library as the actions file writes it (the library's tests), in the file named.
  EXPECT_NE(world.Read("lib/Mine.xml").find("name = \"Enter\""), std::string::npos);
  world.Write("Tandrel.exe.config", "<Configuration><Joysticks/></Configuration>");
  CTandrelConfiguration& none = Make();
  std::filesystem::remove(folder + "Actions.xml");
  EXPECT_TRUE(none.SaveActionsFile(false));  // OK with no edits: nothing to write, nothing wrong
  EXPECT_FALSE(none.SaveActionsFile());
  EXPECT_FALSE(std::filesystem::exists(folder + "Actions.xml"));
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "Configuration Error: There is no file that is associated with the "
                            "actions.",
                            "Configuration Error: The configuration names no actions file, so the "
                            "edited actions could not be written."}));
}

}  // namespace

// An actions file read only in part, or not at all (a hand-edited typo: the library stays empty,
// and the profiles naming its actions load with nothing to press), shows one message at every
// load. No save writes over it until the user has edited the library, and then only after its
// bytes are kept beside it, once (none, when they cannot be). A declaration, as editors add one,
// is no typo.
TEST_F(SaveTest, AnActionsFileNotReadInFullIsKeptBesideItBeforeItIsWritten) {
  Plug(0);
  WriteConfig("<Joystick ID='0' fileName='A.xml'/>");
  const struct {
    std::string file, message, kept, slot;
  } cases[] = {
      {"<Actions>\r\n\t<VKActions>\r\n\t\t<VKAction theme = \"Keys\" name = \"A\r\n"
       "\t</VKActions>\r\n</Actions>\r\n",
       "Configuration Error: The file \"Actions.xml\" is not valid: attribute value not closed: "
       "its quote has no partner before the end of the file, at line 3, column 35.",
       "could not be read", "A.xml*"},
      {"<Actions><VKActions><VKAction theme='Keys' name='A' value='0x41'/><VKAction "
       "theme='keys' name='a' value='0x42'/></VKActions></Actions>",
       "XML Error: The VKAction \"a\" of the theme \"keys\" is skipped: an action with that "
       "theme and name comes before it.",
       "could not be read in full", "A.xml*A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kept);
    std::filesystem::remove(folder + "Actions.xml.bak");
    world.Write("Actions.xml", c.file);
    CTandrelConfiguration& config = Make();
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(Slot(0) + Tap(0), c.slot);
    EXPECT_TRUE(config.SaveActionsFile(false));  // OK with no edits
    config.Load();
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    ASSERT_TRUE(AddAction(std::make_unique<CVKAction>(0x0d, PushType::Hit, "Enter")));
    BlockSaving();
    EXPECT_FALSE(config.SaveActionsFile(true));
    BlockSaving(false);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Configuration Error: The file \"Actions.xml\" " + c.kept +
                                       ", and no copy of it could be kept "
                                       "beside it, so it was not written."});
    EXPECT_EQ(world.Read("Actions.xml"), c.file);
    ASSERT_TRUE(config.SaveActionsFile(true));
    ASSERT_TRUE(config.SaveActionsFile(true));
    EXPECT_EQ(world.Read("Actions.xml.bak"), c.file);
    EXPECT_FALSE(std::filesystem::exists(folder + "Actions.xml.2.bak"));
    EXPECT_NE(world.Read("Actions.xml").find("name = \"Enter\""), std::string::npos);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Configuration: The file \"Actions.xml\" " + c.kept +
                                       ". Its contents were kept in \"" + folder +
                                       "Actions.xml.bak\" before it was written again."});
  }
  world.Write("Actions.xml", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n" +
                                 std::string(kActionsFile));
  configuration->Load();
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_EQ(Tap(0), "A");
}

// An actions file can never be the configuration or a profile: it is refused, read as no
// library, and never written.
TEST_F(SaveTest, TheConfigurationOrAProfileIsNeverTheActionsFile) {
  Plug(0);
  for (const auto& [actions, other] : {std::pair{"TANDREL.exe.config", "the configuration file"},
                                       std::pair{"sub/../a.xml", "the profile of joystick 0"}}) {
    const std::string config =
        std::string("<Configuration><Actions fileName='") + actions +
        "'/><Joysticks><Joystick ID='0' fileName='A.xml'/></Joysticks></Configuration>";
    world.Write("Tandrel.exe.config", config);
    CTandrelConfiguration& c = Make();
    const std::string refusal = "Configuration Error: The file \"" + std::string(actions) +
                                "\" cannot be the actions file: it is " + other + ".";
    EXPECT_EQ(Messages(), std::vector<std::string>{refusal});  // and no action "not found"
    ASSERT_TRUE(AddAction(std::make_unique<CVKAction>(0x0d, PushType::Hit, "Enter")));
    EXPECT_FALSE(c.SaveActionsFile(true));
    EXPECT_EQ(Messages(), std::vector<std::string>{refusal});
    EXPECT_EQ(world.Read("A.xml"), ButtonProfile("A"));
    EXPECT_EQ(world.Read("Tandrel.exe.config"), config);
  }
}
