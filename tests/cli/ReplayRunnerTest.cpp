// Replays run in process: the configuration and engine in virtual time on the script's
// simulated world, checked line by line.
#include "ToolRun.h"
#include "actions/ActionLibrary.h"
#include "replay/ReplayRunner.h"
#include "replay/ReplayScriptParser.h"

namespace {

class Lines : public replay::IOutput {
 public:
  void Line(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

const char* kActions =
    "<Actions><VKActions>"
    "<VKAction theme='K' name='A' type='Hold' value='0x41'/>"
    "<VKAction theme='K' name='Left' type='Hit' value='0x25'/>"
    "<VKAction theme='M' name='Click' type='Hit' value='0x1'/>"
    "</VKActions></Actions>";

const char* kProfile =
    "<Joystick><Buttons>"
    "<Button number='1'><Actions><Action number='0' theme='K' name='A'/></Actions></Button>"
    "<Button number='2'><Actions><Action number='0' theme='K' name='Left'/></Actions></Button>"
    "<Button number='3'><Actions><Action number='0' theme='M' name='Click'/></Actions></Button>"
    "</Buttons></Joystick>";

class ReplayRunnerTest : public ToolTest {
 protected:
  ReplayRunnerTest() {
    Write("files/Actions.xml", kActions);
    Write("files/Pad.xml", kProfile);
    Write("files/Tandrel.exe.config",
          "<Configuration><Actions fileName='Actions.xml'/><Joysticks>"
          "<Joystick ID='0' fileName='Pad.xml'/></Joysticks></Configuration>");
  }

  // Runs the script (whose config path is relative to the test's folder).
  std::vector<std::string> Run(const std::string& script) {
    const replay::ParseResult parsed = replay::CReplayScriptParser::Parse(script);
    EXPECT_TRUE(parsed.script) << parsed.error.line << ": " << parsed.error.reason;
    if (!parsed.script) return {};
    Lines output;
    const replay::RunSummary summary =
        replay::CReplayRunner::Run(*parsed.script, dir.string(), output);
    EXPECT_EQ(summary.lines, output.lines.size());
    EXPECT_EQ(summary.end, parsed.script->end);
    return output.lines;
  }
};

const std::string kHead =
    "config files/Tandrel.exe.config\n"
    "controller 0 buttons 4 axes Z\n";

TEST_F(ReplayRunnerTest, StatementsComeBeforeTheTicksOfTheirTimeAndKeysFollowTheKeyboard) {
  // The polls run at 30, 60, 90, ... A button is pressed only after a poll saw it up: button 3,
  // down at the first poll, must be let go first; the poll at 30 sees button 2 up, and the one
  // at 60 sees it go down at once.
  const auto lines = Run(kHead +
                         "keyboard 0 31\n"
                         "at 30 button 0 3 down\n"
                         "at 60 button 0 3 up\n"
                         "at 60 button 0 2 down\n"
                         "at 90 button 0 2 up\n"
                         "at 90 button 0 3 down\n"
                         "at 91 button 0 1 down\n"
                         "end 400\n");
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "0 profile 0 Pad.xml", "60 key 0x25 down extended",
                       "60 key 0x25 up extended", "90 mouse left down", "90 mouse left up",
                       // Keyboard delay 0: 250 ms; speed 31: every 28 ms.
                       "120 key 0x41 down", "370 key 0x41 down", "398 key 0x41 down",
                       // The program shuts down at the end and lets go of the key.
                       "400 key 0x41 up"}));
}

TEST_F(ReplayRunnerTest, QuestionsTakeTheScriptsAnswersAndNoFileChanges) {
  const std::string config =
      "<Configuration><Actions fileName='Actions.xml'/><Joysticks>"
      "<Joystick ID='16'/><Joystick/></Joysticks></Configuration>";
  Write("files/Tandrel.exe.config", config);
  const std::string question =
      " question [Problem] The ID 16 is not valid. It must be between 0 and 15.\\r\\nDelete it "
      "from the configuration file? -> ";
  const std::string noId = " message [Configuration Error] There is a joystick with no ID.";
  // The file was never rewritten: the entry answered Yes is back at the reload.
  EXPECT_EQ(Run("config files/Tandrel.exe.config\nanswer yes\nat 5 reload\nend 5\n"),
            (std::vector<std::string>{"0" + noId, "0" + question + "yes", "5" + noId,
                                      "5" + question + "no"}));
  EXPECT_EQ(Read("files/Tandrel.exe.config"), config);
}

// A controller pulled out goes at the next once-a-second check and lets go of its keys; back,
// it starts again with its default profile at the check after. A reload lets go too, and a
// button held through it counts only once released and pressed again.
TEST_F(ReplayRunnerTest, ControllersPulledOutAndPluggedInAtTheChecks) {
  EXPECT_EQ(
      Run("# hot-plug\r\nconfig \"files/Tandrel.exe.config\"  # the defaults\r\n\r\n"
          "controller 0 buttons 4 axes Z\n"
          "controller 1 name \"Pad # 1\" axes ZRU buttons 10 pov range 10 1000\n"
          "keyboard 0 0\nscreen 1280 720\n"
          "at 40 button 0 1 down\n"
          "at 300 unplug 0\n"
          "at 400 pov 1 9000\n"
          "at 400 pov 1 center\n"
          "at 400 window \"\"\n"
          "at 1500 plug 0\n"
          "at 2040 button 0 1 down\n"
          "at 2100 reload\n"
          "at 2200 button 0 1 up\n"
          "at 2240 button 0 1 down\n"
          "end 2300\n"),
      (std::vector<std::string>{"0 profile 0 Pad.xml", "60 key 0x41 down", "310 key 0x41 down",
                                "710 key 0x41 down", "1000 key 0x41 up", "2000 profile 0 Pad.xml",
                                "2060 key 0x41 down", "2100 key 0x41 up", "2100 profile 0 Pad.xml",
                                "2250 key 0x41 down", "2300 key 0x41 up"}));
}

}  // namespace
