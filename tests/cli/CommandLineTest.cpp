// tandrel-cli run as a program: format, check and replay on files in a folder of the test's
// own; their bytes on stdout, their one-line complaints on stderr, their exit codes, and the
// files they leave untouched.
#include <algorithm>

#include "ToolRun.h"

namespace {

using CommandLine = ToolTest;

// Exit 2, nothing on stdout, one line on stderr (LF, or CR LF on Windows) holding every part.
void ExpectRefused(const ToolResult& run, std::initializer_list<const char*> parts) {
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  ASSERT_FALSE(run.err.empty());
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  for (const char* p : parts)
    EXPECT_NE(run.err.find(p), std::string::npos) << p << " in " << run.err;
}

TEST_F(CommandLine, FormatPrintsARelativeFileAsTheWriterWritesIt) {
  Write("sub/p.xml",
        "<Joystick delay='30'\n  name = \"it's &AMP; more &lt;\">\n"
        "  <Button number='1' press=\"General:Enter\"/>\n"
        "  < Axis ></axis>\n"
        "</joystick>\n");
  const ToolResult run = Tool({"format", "sub/p.xml"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "<Joystick delay = \"30\" name = \"it's &amp; more &lt;\" >\r\n"
            "\t<Button number = \"1\" press = \"General:Enter\" />\r\n"
            "\t<Axis />\r\n"
            "</Joystick>\r\n");
}

TEST_F(CommandLine, FormatMakesTheBundledExampleAFixedPoint) {
  const ToolResult first = Tool({"format", SourceFile("data/examples/Profile.xml")});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  // The example is written loosely on purpose.
  EXPECT_NE(first.out, ReadFile(SourceFile("data/examples/Profile.xml")));
  Write("formatted.xml", first.out);
  const ToolResult second = Tool({"format", "formatted.xml"});
  EXPECT_EQ(second.exitCode, 0);
  EXPECT_EQ(second.out, first.out);
}

TEST_F(CommandLine, RefusalsAreOneLineAndExitTwo) {
  std::filesystem::create_directories(dir / "folder");
  Write("bad.xml", "<A>\r\n\t<B></C>\r\n</A>\r\n");
  Write("empty.xml", "");
  Write("bad.replay", "config c\n# comment\ncontroller 0\nat 5 button 0 9 down\nend 9\n");
  ExpectRefused(Tool({"format", "missing.xml"}), {"cannot open", "missing.xml"});
  ExpectRefused(Tool({"format", "folder"}), {"cannot open", "folder"});
  ExpectRefused(Tool({"format", "bad.xml"}),
                {"cannot parse", "bad.xml", "closing tag does not match", "byte 12"});
  ExpectRefused(Tool({"format", "empty.xml"}), {"cannot parse", "empty.xml"});
  ExpectRefused(Tool({"replay", (dir / "bad.replay").string()}),
                {"line 4: controller 0 has no button 9"});
  ExpectRefused(Tool({"replay", (dir / "none.replay").string()}), {"cannot open"});
  // Usage errors.
  const std::pair<std::vector<std::string>, const char*> usages[] = {
      {{}, "usage"},
      {{"frobnicate", "x"}, ""},
      {{"format"}, ""},
      {{"format", "a.xml", "b.xml"}, ""},
      {{"check"}, "usage: tandrel-cli check CONFIG"},
      {{"replay"}, "usage: tandrel-cli replay SCRIPT"},
  };
  for (const auto& [args, usage] : usages) {
    const ToolResult run = Tool(args);
    EXPECT_EQ(run.exitCode, 2) << usage;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(usage), std::string::npos) << run.err;
  }
}

TEST_F(CommandLine, CheckFindsNoProblemInTheDefaultFiles) {
  const ToolResult run = Tool({"check", SourceFile("data/Tandrel.exe.config")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "No problems found.\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CommandLine, CheckPrintsEveryProblemAndChangesNoFile) {
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
  const std::vector<std::string> lines = LinesOf(run.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(
      lines,
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
              lines.back().substr(lines.back().find(": ") + 2)}));
  EXPECT_EQ(Read("Tandrel.exe.config"), config);
  EXPECT_EQ(Read("Actions.xml"), actions);
}

TEST_F(CommandLine, CheckReportsUnreadableFiles) {
  Write("x.config", "<Configuration><Actions fileName='A.xml'/>");
  Write("T.exe.config", "<Configuration><Actions fileName='A.xml'/><Joysticks/></Configuration>");
  Write("A.xml", "<Actions><VKActions></Actions>");
  const struct {
    const char* config;
    const char* start;  // of the one line printed
    const char* holds;
  } cases[] = {
      {"x.config", "silent The file \"", "x.config\" is not well formed: "},
      {"none.config", "message [Configuration Error] Could not open the file \"", "none.config"},
      {"T.exe.config", "silent The file \"A.xml\" is not well formed: ", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.config);
    const ToolResult run = Tool({"check", (dir / c.config).string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(LinesOf(run.out).size(), 1u) << run.out;
    EXPECT_EQ(run.out.find(c.start), 0u) << run.out;
    EXPECT_NE(run.out.find(c.holds), std::string::npos) << run.out;
  }
}

TEST_F(CommandLine, ReplayRunsTheDemonstrationOnTheDefaultFilesTheSameEveryTime) {
  const ToolResult run = Tool({"replay", SourceFile("data/Demo.replay")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = LinesOf(run.out);
  ASSERT_GT(lines.size(), 20u);
  EXPECT_EQ(lines.front(), "0 profile 0 Gamepad.xml");
  // A click, the pointer, the wheel, an arrow key, copy and paste, a slide show, hot-plug.
  for (const char* expected :
       {"100 mouse left down", "160 mouse left up", "700 wheel 30", "1100 key 0x27 down extended",
        "1340 key 0x11 down extended", "1340 key 0x43 down", "1420 key 0x56 down",
        "1500 key 0x12 down extended", "1500 key 0x9 down", "1700 profile 0 SlideShow.xml",
        "1900 profile 0 Gamepad.xml", "4000 profile 0 Gamepad.xml", "4240 mouse right up"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
  }
  EXPECT_GT(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find(" mouse move ") != l.npos; }),
            10);
  // No message: the default files are sound.
  EXPECT_EQ(run.out.find("message"), std::string::npos);
  EXPECT_EQ(Tool({"replay", SourceFile("data/Demo.replay")}).out, run.out);
}

TEST_F(CommandLine, ReplayTakesARelativeConfigFromTheScriptsFolder) {
  Write("s/cfg/A.xml", "<Actions/>");
  Write("s/cfg/T.config", "<Configuration><Actions fileName='A.xml'/><Joysticks/></Configuration>");
  Write("s/run.replay", "config cfg/T.config\nend 10\n");
  const ToolResult run = Tool({"replay", (dir / "s" / "run.replay").string()});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

}  // namespace
