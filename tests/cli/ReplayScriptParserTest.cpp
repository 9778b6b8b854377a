// The reader of replay scripts: what a good script means, and the line and reason of every
// way a script can be refused.
#include <gtest/gtest.h>

#include "replay/ReplayScriptParser.h"

namespace {

using replay::CReplayScriptParser;
using replay::Event;

replay::Script Good(const std::string& text) {
  replay::ParseResult result = CReplayScriptParser::Parse(text);
  EXPECT_TRUE(result.script.has_value())
      << "line " << result.error.line << ": " << result.error.reason;
  return result.script.value_or(replay::Script{});
}

// "LINE: REASON" of a refused script.
std::string Bad(const std::string& text) {
  replay::ParseResult result = CReplayScriptParser::Parse(text);
  EXPECT_FALSE(result.script.has_value());
  return std::to_string(result.error.line) + ": " + result.error.reason;
}

TEST(ReplayScriptParser, AScriptWithEveryStatement) {
  const replay::Script s = Good(
      "# a comment line\r\n"
      "config \"My Files/Tandrel.exe.config\"   # trailing comment\r\n"
      "\r\n"
      "controller 3 name \"Pad # 1\" axes ZRU buttons 10 pov range 10 1000\n"
      "controller 0\n"
      "keyboard 0 20\n"
      "screen 800 600\n"
      "answer yes\n"
      "\tat 0 button 3 10 down\n"
      "at 0 axis 3 U 1000\n"
      "at 5 pov 3 31500\n"
      "at 5 pov 3 center\n"
      "at 7 window \"C# Editor - notes.txt\"\n"
      "at 7 window \"\"\n"
      "answer cancel\n"
      "at 8 unplug 0\n"
      "at 9 plug 0\n"
      "at 4294967295 reload\n"
      "end 4294967295");
  EXPECT_EQ(s.configPath, "My Files/Tandrel.exe.config");
  ASSERT_EQ(s.controllers.size(), 2u);
  EXPECT_EQ(s.controllers[0].id, 3);
  EXPECT_EQ(s.controllers[0].name, "Pad # 1");
  EXPECT_EQ(s.controllers[0].axes, "ZRU");
  EXPECT_EQ(s.controllers[0].buttons, 10u);
  EXPECT_TRUE(s.controllers[0].pov);
  EXPECT_EQ(s.controllers[0].min, 10u);
  EXPECT_EQ(s.controllers[0].max, 1000u);
  // The defaults.
  EXPECT_EQ(s.controllers[1].name, "Gamepad");
  EXPECT_EQ(s.controllers[1].axes, "XY");
  EXPECT_EQ(s.controllers[1].buttons, 4u);
  EXPECT_FALSE(s.controllers[1].pov);
  EXPECT_EQ(s.controllers[1].max, 65535u);
  EXPECT_EQ(s.keyboardDelay, 0);
  EXPECT_EQ(s.keyboardSpeed, 20);
  EXPECT_EQ(s.screenWidth, 800);
  EXPECT_EQ(s.screenHeight, 600);
  EXPECT_EQ(s.answers, (std::vector<seam::MessageAnswer>{seam::MessageAnswer::Yes,
                                                         seam::MessageAnswer::Cancel}));
  ASSERT_EQ(s.events.size(), 9u);
  EXPECT_EQ(s.events[0].kind, Event::Kind::Button);
  EXPECT_EQ(s.events[0].line, 9);
  EXPECT_EQ(s.events[0].button, 10);
  EXPECT_TRUE(s.events[0].down);
  EXPECT_EQ(s.events[1].axis, 'U');
  EXPECT_EQ(s.events[1].value, 1000u);
  EXPECT_EQ(s.events[2].value, 31500u);
  EXPECT_EQ(s.events[3].value, seam::kPovCentered);
  EXPECT_EQ(s.events[4].title, "C# Editor - notes.txt");
  EXPECT_EQ(s.events[5].title, "");
  EXPECT_EQ(s.events[6].kind, Event::Kind::Unplug);
  EXPECT_EQ(s.events[7].kind, Event::Kind::Plug);
  EXPECT_EQ(s.events[8].kind, Event::Kind::Reload);
  EXPECT_EQ(s.events[8].time, 4294967295u);
  EXPECT_EQ(s.end, 4294967295u);
}

TEST(ReplayScriptParser, DefaultsOfTheSurroundings) {
  const replay::Script s = Good("config c\nend 0\n");
  EXPECT_EQ(s.keyboardDelay, 1);
  EXPECT_EQ(s.keyboardSpeed, 31);
  EXPECT_EQ(s.screenWidth, 1920);
  EXPECT_EQ(s.screenHeight, 1080);
  EXPECT_TRUE(s.controllers.empty());
  EXPECT_TRUE(s.events.empty());
}

TEST(ReplayScriptParser, TheFrameOfAScript) {
  EXPECT_EQ(Bad(""), "1: the script must start with a config statement");
  EXPECT_EQ(Bad("# only\n\n"), "2: the script must start with a config statement");
  EXPECT_EQ(Bad("controller 0\nconfig c\nend 1"),
            "1: the script must start with a config statement");
  EXPECT_EQ(Bad("config c\nconfig d\nend 1"), "2: config may stand only once");
  EXPECT_EQ(Bad("config c\nat 1 reload\n"), "2: the script has no end statement");
  EXPECT_EQ(Bad("config c\nend 5\n# fine\nat 6 reload\n"),
            "4: nothing may follow the end statement");
  EXPECT_EQ(Bad("config c\nend 5\nend 6"), "3: nothing may follow the end statement");
  EXPECT_EQ(Bad("config c\nfly 5\nend 6"), "2: unknown statement \"fly\"");
  EXPECT_EQ(Bad("config c\nEND 5"), "2: unknown statement \"END\"");
  EXPECT_EQ(Bad("config\nend 1"), "1: config is missing a value");
  EXPECT_EQ(Bad("config a b\nend 1"), "1: unexpected \"b\" after the config statement");
  EXPECT_EQ(Bad("\"config\" c\nend 1"), "1: a statement starts with a keyword, not a text");
}

TEST(ReplayScriptParser, WordsAndTexts) {
  EXPECT_EQ(Bad("config c\nat 1 window \"open\nend 2"), "2: a text is not closed with \"");
  EXPECT_EQ(Bad("config c\nat 1 window \"a\"b\nend 2"), "2: a blank must follow the text \"a\"");
  EXPECT_EQ(Bad("config c\nat 1 window x\"a\"\nend 2"),
            "2: a text must stand apart from the word before it");
  EXPECT_EQ(Bad("config c\nat 1 window Notepad\nend 2"),
            "2: the window title must stand in double quotes");
  EXPECT_EQ(Good("config c\nat 1 window \"a\"# note\nend 2").events[0].title, "a");
}

TEST(ReplayScriptParser, Controllers) {
  EXPECT_EQ(Bad("config c\ncontroller 16\nend 1"), "2: controller ID 16 is above 15");
  EXPECT_EQ(Bad("config c\ncontroller -1\nend 1"), "2: controller ID must be a number, not \"-1\"");
  EXPECT_EQ(Bad("config c\ncontroller 1\ncontroller 1\nend 1"),
            "3: controller 1 is declared twice");
  EXPECT_EQ(Bad("config c\ncontroller 1 pov pov\nend 1"),
            "2: the controller option pov is given twice");
  EXPECT_EQ(Bad("config c\ncontroller 1 hat\nend 1"), "2: unknown controller option \"hat\"");
  EXPECT_EQ(Bad("config c\ncontroller 1 name Pad\nend 1"), "2: name takes a text in quotes");
  EXPECT_EQ(Bad("config c\ncontroller 1 name \"" + std::string(32, 'x') + "\"\nend 1"),
            "2: the name is longer than 31 characters");
  EXPECT_EQ(Good("config c\ncontroller 1 name \"" + std::string(31, 'x') + "\"\nend 1")
                .controllers[0]
                .name.size(),
            31u);
  EXPECT_EQ(Bad("config c\ncontroller 1 axes XZW\nend 1"),
            "2: unknown axis letter W (use X, Y, Z, R, U, V)");
  EXPECT_EQ(Bad("config c\ncontroller 1 axes zr\nend 1"),
            "2: unknown axis letter z (use X, Y, Z, R, U, V)");
  EXPECT_EQ(Bad("config c\ncontroller 1 axes ZRZ\nend 1"), "2: the axis letter Z is given twice");
  EXPECT_EQ(Bad("config c\ncontroller 1 buttons 33\nend 1"),
            "2: the number of buttons 33 is above 32");
  EXPECT_EQ(Bad("config c\ncontroller 1 range 5 5\nend 1"),
            "2: the range minimum must be below its maximum");
  EXPECT_EQ(Bad("config c\ncontroller 1 range 5\nend 1"), "2: missing the range maximum");
  EXPECT_EQ(Bad("config c\ncontroller 1 range 0 4294967296\nend 1"),
            "2: the range maximum 4294967296 is above 4294967295");
  EXPECT_EQ(Bad("config c\nat 0 reload\ncontroller 1\nend 1"),
            "3: controller describes the start: it must come before the first at");
}

TEST(ReplayScriptParser, Surroundings) {
  EXPECT_EQ(Bad("config c\nkeyboard 4 0\nend 1"), "2: the keyboard delay 4 is above 3");
  EXPECT_EQ(Bad("config c\nkeyboard 0 32\nend 1"), "2: the keyboard speed 32 is above 31");
  EXPECT_EQ(Bad("config c\nkeyboard 0\nend 1"), "2: keyboard is missing a value");
  EXPECT_EQ(Bad("config c\nkeyboard 0 1\nkeyboard 0 1\nend 1"), "3: keyboard may stand only once");
  EXPECT_EQ(Bad("config c\nscreen 0 10\nend 1"), "2: the screen must be at least 1 x 1");
  EXPECT_EQ(Bad("config c\nat 1 reload\nscreen 10 10\nend 1"),
            "3: screen describes the start: it must come before the first at");
  EXPECT_EQ(Bad("config c\nanswer maybe\nend 1"),
            "2: the answer must be yes, no, ok or cancel, not \"maybe\"");
}

TEST(ReplayScriptParser, TimedStatements) {
  const std::string head = "config c\ncontroller 0 buttons 2 axes Z range 100 200\n";
  EXPECT_EQ(Bad(head + "at 5 reload\nat 4 reload\nend 9"),
            "4: time goes backwards: the statement before is at 5");
  EXPECT_EQ(Bad(head + "at 5 reload\nend 4"), "4: the end comes before the last statement, at 5");
  EXPECT_EQ(Bad(head + "at 4294967296 reload\nend 4"),
            "3: the time 4294967296 is above 4294967295");
  EXPECT_EQ(Bad(head + "at 1.5 reload\nend 4"), "3: the time must be a number, not \"1.5\"");
  EXPECT_EQ(Bad(head + "at 1 jump\nend 4"),
            "3: unknown event \"jump\" (button, axis, pov, window, unplug, plug, reload)");
  EXPECT_EQ(Bad(head + "at 1 reload now\nend 4"), "3: unexpected \"now\" after the at statement");
  EXPECT_EQ(Bad(head + "at 1 button 1 1 down\nend 4"), "3: controller 1 is not declared");
  EXPECT_EQ(Bad(head + "at 1 button 0 3 down\nend 4"), "3: controller 0 has no button 3");
  EXPECT_EQ(Bad(head + "at 1 button 0 0 down\nend 4"), "3: controller 0 has no button 0");
  EXPECT_EQ(Bad(head + "at 1 button 0 1 pressed\nend 4"),
            "3: a button goes down or up, not pressed");
  EXPECT_EQ(Bad(head + "at 1 button 0 1\nend 4"), "3: at is missing a value");
  EXPECT_EQ(Bad(head + "at 1 axis 0 R 150\nend 4"), "3: controller 0 has no R axis");
  EXPECT_EQ(Bad(head + "at 1 axis 0 W 150\nend 4"), "3: unknown axis \"W\" (use X, Y, Z, R, U, V)");
  EXPECT_EQ(Bad(head + "at 1 axis 0 Z 99\nend 4"),
            "3: the axis value 99 is outside the range 100..200");
  EXPECT_EQ(Bad(head + "at 1 axis 0 X 201\nend 4"),
            "3: the axis value 201 is outside the range 100..200");
  EXPECT_EQ(Good(head + "at 1 axis 0 Y 200\nend 4").events[0].value, 200u);
  EXPECT_EQ(Bad(head + "at 1 pov 0 9000\nend 4"), "3: controller 0 has no hat");
  EXPECT_EQ(Bad("config c\ncontroller 2 pov\nat 1 pov 2 36000\nend 4"),
            "3: the hat angle in hundredths of a degree 36000 is above 35999");
  EXPECT_EQ(Bad("config c\ncontroller 2 pov\nat 1 pov 2 centre\nend 4"),
            "3: the hat angle in hundredths of a degree must be a number, not \"centre\"");
  EXPECT_EQ(Bad(head + "at 1 unplug 3\nend 4"), "3: controller 3 is not declared");
  EXPECT_EQ(Bad(head + "at 1 plug\nend 4"), "3: at is missing a value");
}

}  // namespace
