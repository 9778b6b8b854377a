// tandrel-cli replay, run as a program: the bundled demonstration on the default files, and
// the exit codes and one-line complaints of scripts it refuses.
#include "ToolRun.h"

namespace {

using ReplayCommand = ToolTest;

std::string SourceFile(const std::string& name) {
  return ToolTest::HostPath(std::string(TANDREL_SOURCE_DIR) + "/" + name);
}

TEST_F(ReplayCommand, TheDemonstrationRunsOnTheDefaultFiles) {
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
  int moves = 0;
  for (const auto& line : lines) moves += line.find(" mouse move ") != std::string::npos;
  EXPECT_GT(moves, 10);
  // No message: the default files are sound.
  EXPECT_EQ(run.out.find("message"), std::string::npos);
}

TEST_F(ReplayCommand, TheOutputIsTheSameEveryTime) {
  const ToolResult first = Tool({"replay", SourceFile("data/Demo.replay")});
  const ToolResult second = Tool({"replay", SourceFile("data/Demo.replay")});
  EXPECT_EQ(first.out, second.out);
}

TEST_F(ReplayCommand, ARelativeConfigIsTakenFromTheScriptsFolder) {
  std::filesystem::create_directories(dir / "s" / "cfg");
  Write("s/cfg/A.xml", "<Actions/>");
  Write("s/cfg/T.config", "<Configuration><Actions fileName='A.xml'/><Joysticks/></Configuration>");
  Write("s/run.replay", "config cfg/T.config\nend 10\n");
  const ToolResult run = Tool({"replay", (dir / "s" / "run.replay").string()});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

TEST_F(ReplayCommand, ABadScriptIsOneLineWithItsLineNumberAndExitTwo) {
  Write("bad.replay", "config c\n# comment\ncontroller 0\nat 5 button 0 9 down\nend 9\n");
  const ToolResult run = Tool({"replay", (dir / "bad.replay").string()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(LinesOf(run.err).size(), 1u);
  EXPECT_NE(run.err.find("line 4: controller 0 has no button 9"), std::string::npos) << run.err;
}

TEST_F(ReplayCommand, AMissingScriptOrBadUsageExitsTwo) {
  const ToolResult missing = Tool({"replay", (dir / "none.replay").string()});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
  const ToolResult usage = Tool({"replay"});
  EXPECT_EQ(usage.exitCode, 2);
  EXPECT_NE(usage.err.find("usage: tandrel-cli replay SCRIPT"), std::string::npos);
}

}  // namespace
