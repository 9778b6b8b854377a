// The reader of replay scripts: the line and reason of every way a script can be refused.
// What good scripts mean shows in the replays themselves.
#include <gtest/gtest.h>

#include "replay/ReplayScriptParser.h"

namespace {

using replay::CReplayScriptParser;

// "LINE: REASON" of a refused script.
std::string Bad(const std::string& text) {
  replay::ParseResult result = CReplayScriptParser::Parse(text);
  EXPECT_FALSE(result.script.has_value());
  return std::to_string(result.error.line) + ": " + result.error.reason;
}

TEST(ReplayScriptParser, TheFrameOfAScript) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "1: the script must start with a config statement"},
      {"# only\n\n", "2: the script must start with a config statement"},
      {"config c\nconfig d\nend 1", "2: config may stand only once"},
      {"config c\nat 1 reload\n", "2: the script has no end statement"},
      {"config c\nend 5\n# fine\nat 6 reload\n", "4: nothing may follow the end statement"},
      {"config c\nfly 5\nend 6", "2: unknown statement \"fly\""},
      {"config\nend 1", "1: config is missing a value"},
      {"config a b\nend 1", "1: unexpected \"b\" after the config statement"},
      {"\"config\" c\nend 1", "1: a statement starts with a keyword, not a text"},
      {"config c\nat 5 reload\nend 4", "3: the end comes before the last statement, at 5"},
      {"config c\nend soon", "2: the end time must be a number, not \"soon\""},
  };
  for (const auto& [script, error] : cases) EXPECT_EQ(Bad(script), error) << script;
}

// Each statement stands on line 4, after these.
TEST(ReplayScriptParser, EveryStatementRefusesBadWords) {
  const std::string head =
      "config c\ncontroller 0 buttons 2 axes Z range 100 200\ncontroller 2 pov\n";
  const std::pair<std::string, const char*> cases[] = {
      // Texts.
      {"at 1 window \"open", "4: a text is not closed with \""},
      {"at 1 window \"a\"b", "4: a blank must follow the text \"a\""},
      {"at 1 window x\"a\"", "4: a text must stand apart from the word before it"},
      {"at 1 window Notepad", "4: the window title must stand in double quotes"},
      // Controllers.
      {"controller 16", "4: controller ID 16 is above 15"},
      {"controller 0", "4: controller 0 is declared twice"},
      {"controller 1 pov pov", "4: the controller option pov is given twice"},
      {"controller 1 hat", "4: unknown controller option \"hat\""},
      {"controller 1 name Pad", "4: name takes a text in quotes"},
      {"controller 1 name \"" + std::string(32, 'x') + "\"",
       "4: the name is longer than 31 characters"},
      {"controller 1 axes zr", "4: unknown axis letter z (use X, Y, Z, R, U, V)"},
      {"controller 1 buttons 33", "4: the number of buttons 33 is above 32"},
      {"controller 1 range 5 5", "4: the range minimum must be below its maximum"},
      {"at 0 reload\ncontroller 1",
       "5: controller describes the start: it must come before the first at"},
      // Surroundings.
      {"keyboard 4 0", "4: the keyboard delay 4 is above 3"},
      {"keyboard 0 1 2", "4: unexpected \"2\" after the keyboard statement"},
      {"screen 0 10", "4: the screen must be at least 1 x 1"},
      {"answer maybe", "4: the answer must be yes, no, ok or cancel, not \"maybe\""},
      // Timed statements.
      {"at 5 reload\nat 4 reload", "5: time goes backwards: the statement before is at 5"},
      {"at 4294967296 reload", "4: the time 4294967296 is above 4294967295"},
      {"at 1.5 reload", "4: the time must be a number, not \"1.5\""},
      {"at 1 jump", "4: unknown event \"jump\" (button, axis, pov, window, unplug, plug, reload)"},
      {"at 1 button 1 1 down", "4: controller 1 is not declared"},
      {"at 1 button 0 3 down", "4: controller 0 has no button 3"},
      {"at 1 button 0 0 down", "4: controller 0 has no button 0"},
      {"at 1 button 0 1 pressed", "4: a button goes down or up, not pressed"},
      {"at 1 button 0 1", "4: at is missing a value"},
      {"at 1 axis 0 R 150", "4: controller 0 has no R axis"},
      {"at 1 axis 0 W 150", "4: unknown axis \"W\" (use X, Y, Z, R, U, V)"},
      {"at 1 axis 0 Z 99", "4: the axis value 99 is outside the range 100..200"},
      {"at 1 axis 0 X 201", "4: the axis value 201 is outside the range 100..200"},
      {"at 1 pov 0 9000", "4: controller 0 has no hat"},
      {"at 1 pov 2 36000", "4: the hat angle in hundredths of a degree 36000 is above 35999"},
  };
  for (const auto& [statement, error] : cases) {
    EXPECT_EQ(Bad(head + statement + "\nend 9"), error) << statement;
  }
}

}  // namespace
