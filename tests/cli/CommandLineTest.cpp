// tandrel-cli run as a program: format, check and replay on files in a folder of the test's
// own; their bytes on stdout, their one-line complaints on stderr, their exit codes, and the
// files they leave untouched.
#include <algorithm>

#include "ToolRun.h"

namespace {

using CommandLine = ToolTest;

TEST_F(CommandLine, RefusalsExitTwoWithNothingOnStdout) {
  std::filesystem::create_directories(dir / "folder");
  Write("bad.xml", "<A>\r\n\t<B></C>\r\n</A>\r\n");
  Write("bad.replay", "config c\n# comment\ncontroller 0\nat 5 button 0 9 down\nend 9\n");
  // Every command refuses a path it cannot read, whatever lies there.
  Write("huge", "<R>");
  std::filesystem::resize_file(dir / "huge", (std::size_t{16} << 20) + 1);
  std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
      {{"format", "bad.xml"},
       {"cannot parse", "bad.xml", "closing tag does not match, at line 2, column 8"}},
      {{"replay", "bad.replay"}, {"bad.replay: line 4: controller 0 has no button 9"}},
#ifndef _WIN32
      // An endless device: format and check read no device, replay stops reading its script at
      // the size limit.
      {{"format", "/dev/zero"}, {"cannot open", "/dev/zero", "not a regular file"}},
      {{"check", "/dev/zero"}, {"cannot open", "/dev/zero", "not a regular file"}},
      {{"replay", "/dev/zero"}, {"cannot open", "/dev/zero", "16 MiB"}},
#endif
      // Usage errors: the only refusals of more than one line.
      {{}, {"usage"}},
      {{"frobnicate", "x"}, {"usage", "unknown command \"frobnicate\""}},
      {{"format"}, {"usage", "format takes one FILE"}},
      {{"format", "a.xml", "b.xml"}, {"usage", "usage: tandrel-cli format FILE"}},
  };
  for (const char* command : {"format", "check", "replay"}) {
    cases.push_back({{command, "missing.xml"}, {"cannot open \"missing.xml\""}});
    cases.push_back({{command, "folder"}, {"cannot open \"folder\""}});
    cases.push_back({{command, "huge"}, {"cannot open \"huge\"", "16 MiB"}});
  }
  for (const auto& [args, parts] : cases) {
    const ToolResult run = Tool(args);
    SCOPED_TRACE(run.err);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    if (parts[0] != "usage") {
      EXPECT_EQ(LinesOf(run.err).size(), 1u);
    }
    for (const std::string& p : parts) EXPECT_NE(run.err.find(p), std::string::npos) << p;
  }
#ifndef _WIN32
  // Output that cannot be written, as on a full disk, fails with one line.
  const ToolResult full = Tool({"replay", SourceFile("data/Demo.replay")}, "/dev/full");
  EXPECT_EQ(full.exitCode, 2);
  EXPECT_EQ(full.err, "tandrel-cli: cannot write the output\n");
#endif
  // Asked for, the help and the version go to stdout with 0.
  const std::pair<std::vector<std::string>, std::string> answers[] = {
      {{"--help"}, "usage:"},
      {{"-h"}, "usage:"},
      {{"check", "--help"}, "usage: tandrel-cli check CONFIG"},
      {{"--version"}, "tandrel-cli " TANDREL_VERSION}};
  for (const auto& [args, first] : answers) {
    const ToolResult run = Tool(args);
    EXPECT_EQ(run.exitCode, 0) << first;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(LinesOf(run.out).at(0), first);
  }
  EXPECT_EQ(LinesOf(Tool({"--help"}).out).back(), "See tandrel-cli(1).");
}

// The tree read, as the writer writes it: a name directly before the tag end has no value and
// is dropped, a value without a name is kept; only the root is read, what follows is ignored.
TEST_F(CommandLine, FormatPrintsAFileAsTheWriterWritesIt) {
  Write("sub/p.xml",
        "<Joystick delay='30'\n  name = \"it's &AMP; more &lt;\" w>\n"
        "  <Button number='1' press=\"General:Enter\" ='v'/>\n  < Axis ><d/></ AXIS >\n"
        "</joystick>\ngarbage & <<<\n");
  const ToolResult run = Tool({"format", "sub/p.xml"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "<Joystick delay = \"30\" name = \"it's &amp; more &lt;\" >\r\n"
            "\t<Button number = \"1\" press = \"General:Enter\"  = \"v\" />\r\n"
            "\t<Axis >\r\n\t\t<d />\r\n\t</Axis>\r\n</Joystick>\r\n");
}

TEST_F(CommandLine, CheckPrintsEveryProblemUnderItsFileAndChangesNoFile) {
  const ToolResult sound = Tool({"check", SourceFile("data/Tandrel.exe.config")});
  EXPECT_EQ(sound.exitCode, 0);
  EXPECT_EQ(sound.out + sound.err, "No problems found.\n");

  const std::string config =
      "<Configuration><LaunchOnStartup value='true'/><Actions fileName='Actions.xml'/>"
      "<Joysticks><Joystick ID='0' fileName='Pad.xml' picture='missing.bmp'>"
      "<Profile window='Game' fileName='Game.xml'/><Profile window='Edit' fileName='NoSuch.xml'/>"
      "<Profile window='Broken' fileName='Broken.xml'/></Joystick><Joystick ID='16'/>"
      "<Joystick ID='1' fileName='Other.xml'/><Joystick ID='2' fileName='Torn.xml'/><Joystick "
      "ID='3' fileName='Values.xml'/>"
      "</Joysticks></Configuration>";
  const std::string actions =
      "<Actions><VKActions><VKAction theme='K' name='A' value='0x41'/>"
      "<VKAction theme='K' name='Bad' value='Esc'/><VKAction theme='K' name='Kana' value='0x15'/>"
      "<VKAction theme='K' name='Tilde' value='~'/><VKAction theme='M' name='L' value='0x1'/>"
      "</VKActions><MouseActions><MouseAction theme='M' name='Left' direction='180' "
      "speed='-5'/></MouseActions><MouseWheelActions><MouseWheelAction theme='W' name='Up' "
      "direction='up' lines='0'/></MouseWheelActions></Actions>";
  Write("Tandrel.exe.config", config);
  Write("Actions.xml", actions);
  // A finding is printed once, with where the file has what it is about, or counted.
  Write("Pad.xml",
        "<Joystick ID='0' name='My Pad' Delay='-5'><Axes><Axis name='X Axis' type='Horizontal' "
        "Threshold='-5'/><Axis name='X Axis' type='Horizontal' Threshold='-5'/></Axes><Buttons>"
        "<Button number='1'><Actions>\n<Action number='0' Theme='K' name='Missing'/></Actions>"
        "</Button><Button number='2'><Actions>\n<Action number='0' Theme='K' name='A'/>\n"
        "<Action number='0' Theme='K' name='Missing'/></Actions></Button></Buttons><POV><Direction "
        "name='Up'/></POV></Joystick>");
  Write("Values.xml",
        "<Joystick Delay='20000'><ShiftButtons><ShiftButton ButtonNumber='40'/></ShiftButtons>"
        "<Axes><Axis name='X Axis' type='Horizontal' Threshold='70000' Sensitivity='-1'>"
        "<Direction Name='Left'><Actions><Action Number='0' Theme='K' Name='A' percent='150'/>"
        "</Actions></Direction><Direction Name='Right'/></Axis></Axes><Buttons><Button "
        "number='1'><Actions><Action number='0' Theme='K' name='A'/>"
        "<Action number='0' theme='k' name='a'/></Actions></Button></Buttons></Joystick>");
  Write("Game.xml",
        "<Joystick ID='3' name='Other Pad'><Buttons><Button number='2'><Actions>"
        "<Action number='0' Theme='K' name='Gone'/></Actions></Button></Buttons></Joystick>");
  Write("Broken.xml", "<Joystick><Buttons></Joystick>");
  Write("Torn.xml", "<Joystick>");
  Write("Other.xml", "<Joystick ID='0' name='Other Pad'/>");
  Write("x.config", "<Configuration>");
  const ToolResult run = Tool({"check", (dir / "Tandrel.exe.config").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "");
  const auto file = [this](const char* name) { return "file " + (dir / name).string(); };
  const std::string closing = "expected a child element or a closing tag (end of file), at line ";
  EXPECT_EQ(
      LinesOf(run.out),
      (std::vector<std::string>{
          file("Other.xml"),
          "question [Warning...] The XML file \"Other.xml\" seems to contain configuration to a "
          "different joystick from \"Other Pad\" that is connected to ID 1.\\r\\nLoad it "
          "anyway? -> no",
          // The load's messages once it is over, then its question about the IDs.
          file("Actions.xml"),
          "message [XML Error] The VKAction \"Bad\" has an unknown value: \"Esc\".",
          file("Pad.xml"),
          "message [XML Error] The profile \"Pad.xml\" has an invalid Delay value: \"-5\".",
          "message [XML Error] The axis \"X Axis\" has an invalid Threshold value: \"-5\". (2 "
          "times)",
          "message [XML Error] The action \"Missing\" was not found. (used at lines 2, 4)",
          "message [XML Error] The name \"Up\" is not valid for a POV Direction.", file("Torn.xml"),
          "message [Configuration Error] The file \"Torn.xml\" is not valid: " + closing +
              "1, column 11.",
          file("Tandrel.exe.config"),
          "question [Problem] The ID 16 is not valid. It must be between 0 and 15.\\r\\nDelete it "
          "from the configuration file? -> no",
          file("Actions.xml"),
          "silent The MouseAction \"Left\" has the speed -5, below 1: the pointer does not move.",
          "silent The MouseWheelAction \"Up\" has the lines 0, below 1: the wheel does not turn "
          "as named.",
          "linux The VKAction \"Kana\" sends the key 0x15, which tandrel on Linux cannot send: no "
          "X key stands for it.",
          file("Tandrel.exe.config"),
          "silent The picture \"missing.bmp\" of joystick 0 does not exist.", file("Game.xml"),
          "silent The profile \"Game.xml\" for windows titled \"Game\" of joystick 0: "
          "The action \"Gone\" was not found. (used at line 1)",
          file("NoSuch.xml"),
          "silent The profile \"NoSuch.xml\" for windows titled \"Edit\" of joystick 0 "
          "does not exist.",
          file("Broken.xml"),
          "silent The file \"Broken.xml\" is not well formed: closing tag does not match, at "
          "line 1, column 30.",
          file("Values.xml"),
          "silent The polling delay 20000 ms is outside 0..10000: the controller is in effect "
          "never read.",
          "silent The shift button 40 is beyond the 32 buttons a controller can have: it is "
          "ignored.",
          "silent The axis \"X Axis\" has the sensitivity -1, outside 0..65534: it never moves.",
          "silent The axis \"X Axis\" has the threshold 70000, outside 0..65534: its actions "
          "never run.",
          "silent The axis \"X Axis\" direction \"Left\" has an action at 150 percent, outside "
          "0..100: it never runs.",
          "silent The button 1 binds the action \"a\" twice in shift state 0."}));
  EXPECT_EQ(Read("Tandrel.exe.config") + Read("Actions.xml"), config + actions);
  // A configuration that is not well formed is reported as the program reports it.
  const std::string broken = (dir / "x.config").string();
  EXPECT_EQ(LinesOf(Tool({"check", broken}).out),
            (std::vector<std::string>{"file " + broken,
                                      "message [Configuration Error] The file \"" + broken +
                                          "\" is not valid: " + closing + "1, column 16."}));
  // A file the program cannot read at all is named with the reason: here its size and the limit.
  Write("y.config", "<Configuration><Actions fileName='Huge.xml'/><Joysticks/></Configuration>");
  Write("Huge.xml", "");
  std::filesystem::resize_file(dir / "Huge.xml", (std::uintmax_t{16} << 20) + 1);
  EXPECT_EQ(LinesOf(Tool({"check", (dir / "y.config").string()}).out).at(1),
            "message [Configuration Error] Could not open the file \"Huge.xml\": the file holds "
            "16777217 bytes, larger than 16 MiB (16777216 bytes), the limit for the program's "
            "files.");
}

TEST_F(CommandLine, ReplayRunsTheDemonstrationOnTheDefaultFilesTheSameEveryTime) {
  const ToolResult run = Tool({"replay", SourceFile("data/Demo.replay")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = LinesOf(run.out);
  ASSERT_GT(lines.size(), 20u);
  EXPECT_EQ(lines.front(), "0 profile 0 Gamepad.xml");
  // A slide show and hot-plug (what each input of the default profile does is the pad table's,
  // tests/support/PadPromises.cpp).
  for (const char* expected : {"1700 profile 0 SlideShow.xml", "1900 profile 0 Gamepad.xml",
                               "4000 profile 0 Gamepad.xml", "4240 mouse right up"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
  }
  // No message: the default files are sound.
  EXPECT_EQ(run.out.find("message"), std::string::npos);
  EXPECT_EQ(Tool({"replay", SourceFile("data/Demo.replay")}).out, run.out);

  // A relative config is taken from the script's folder, whatever its ending; files as a
  // Windows editor saves "UTF-8", with a byte-order mark.
  Write("s/cfg/A.xml", "<Actions/>");
  Write("s/cfg/settings.xml",
        "\xEF\xBB\xBF<Configuration><Actions fileName='A.xml'/><Joysticks/></Configuration>");
  Write("s/run.replay",
        "\xEF\xBB\xBF"
        "config cfg/settings.xml\nend 10\n");
  const ToolResult relative = Tool({"replay", (dir / "s" / "run.replay").string()});
  EXPECT_EQ(relative.exitCode, 0);
  EXPECT_EQ(relative.out + relative.err, "");
}

}  // namespace
