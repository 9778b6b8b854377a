// tandrel-cli check, run as a program: what the program would show, what it would meet
// silently, exit codes, and files left untouched.
#include "ToolRun.h"

namespace {

using CheckCommand = ToolTest;

TEST_F(CheckCommand, TheDefaultFilesHaveNoProblems) {
  const ToolResult run =
      Tool({"check", HostPath(std::string(TANDREL_SOURCE_DIR) + "/data/Tandrel.exe.config")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "No problems found.\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CheckCommand, EveryProblemIsPrintedAndNoFileChanges) {
  const std::string config =
      "<Configuration><LaunchOnStartup value='true'/><Actions fileName='Actions.xml'/>"
      "<Joysticks>"
      "<Joystick ID='0' fileName='Pad.xml' picture='missing.bmp'>"
      "<Profile window='Game' fileName='Game.xml'/>"
      "<Profile window='Edit' fileName='NoSuch.xml'/>"
      "<Profile window='Broken' fileName='Broken.xml'/></Joystick>"
      "<Joystick ID='16'/>"
      "<Joystick ID='1' fileName='Other.xml'/>"
      "</Joysticks></Configuration>";
  const std::string actions =
      "<Actions><VKActions><VKAction theme='K' name='A' value='0x41'/>"
      "<VKAction theme='K' name='Bad' value='Esc'/></VKActions></Actions>";
  Write("Tandrel.exe.config", config);
  Write("Actions.xml", actions);
  Write("Pad.xml",
        "<Joystick ID='0' name='My Pad'><Buttons><Button number='1'><Actions>"
        "<Action number='0' Theme='K' name='Missing'/></Actions></Button></Buttons></Joystick>");
  Write("Game.xml",
        "<Joystick ID='3' name='Other Pad'><Buttons><Button number='2'><Actions>"
        "<Action number='0' Theme='K' name='Gone'/></Actions></Button></Buttons></Joystick>");
  Write("Broken.xml", "<Joystick><Buttons></Joystick>");
  Write("Other.xml", "<Joystick ID='0' name='Other Pad'/>");
  const ToolResult run = Tool({"check", (dir / "Tandrel.exe.config").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(
      LinesOf(run.out),
      (std::vector<std::string>{
          "message [XML Error] The VKAction \"Bad\" has an unknown value: \"Esc\".",
          "message [XML Error] The action \"Missing\" was not found.",
          "question [Problem] The ID 16 is not valid. It must be between 0 and 15.\\r\\nDelete it "
          "from the configuration file? -> no",
          "question [Warning...] The XML file \"Other.xml\" seems to contain configuration to a "
          "different joystick from \"Other Pad\" that is connected to ID 1.\\r\\nLoad it "
          "anyway? -> no",
          "silent The picture \"missing.bmp\" of joystick 0 does not exist.",
          "silent The profile \"Game.xml\" for windows titled \"Game\" of joystick 0: "
          "The action \"Gone\" was not found.",
          "silent The profile \"NoSuch.xml\" for windows titled \"Edit\" of joystick 0 "
          "does not exist.",
          "silent The file \"Broken.xml\" is not well formed: " +
              LinesOf(run.out).back().substr(LinesOf(run.out).back().find(": ") + 2)}));
  EXPECT_EQ(Read("Tandrel.exe.config"), config);
  EXPECT_EQ(Read("Actions.xml"), actions);
}

TEST_F(CheckCommand, AnUnparsableConfigurationIsReported) {
  Write("x.config", "<Configuration><Actions fileName='A.xml'/>");
  const ToolResult run = Tool({"check", (dir / "x.config").string()});
  EXPECT_EQ(run.exitCode, 1);
  const auto lines = LinesOf(run.out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].find("silent The file \""), 0u) << lines[0];
  EXPECT_NE(lines[0].find("x.config\" is not well formed: "), std::string::npos) << lines[0];
}

TEST_F(CheckCommand, AMissingConfigurationIsTheReadersMessage) {
  const ToolResult run = Tool({"check", (dir / "none.config").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out.find("message [Configuration Error] Could not open the file \""), 0u)
      << run.out;
}

TEST_F(CheckCommand, AMalformedActionsFileIsReported) {
  Write("T.exe.config", "<Configuration><Actions fileName='A.xml'/><Joysticks/></Configuration>");
  Write("A.xml", "<Actions><VKActions></Actions>");
  const ToolResult run = Tool({"check", (dir / "T.exe.config").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out.find("silent The file \"A.xml\" is not well formed: "), 0u) << run.out;
}

TEST_F(CheckCommand, BadUsageExitsTwo) {
  const ToolResult run = Tool({"check"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("usage: tandrel-cli check CONFIG"), std::string::npos);
}

}  // namespace
