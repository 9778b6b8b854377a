// The reader of replay scripts. One statement a line; "#" outside a text starts a comment;
// words are separated by blanks (spaces and tabs); texts stand in double quotes and cannot
// contain one. Keywords are written in lower case. A UTF-8 byte-order mark at the start is
// skipped.
//
//   config PATH                 first statement; PATH is a word or a text
//   controller ID [name "TEXT"] [axes LETTERS] [buttons N] [pov] [range MIN MAX]
//   keyboard DELAY SPEED        0..3 and 0..31
//   screen WIDTH HEIGHT
//   answer yes|no|ok|cancel     queued in script order, wherever they stand
//   at TIME button ID N down|up
//   at TIME axis ID LETTER VALUE
//   at TIME pov ID HUNDREDTHS|center
//   at TIME window "TITLE"
//   at TIME unplug ID
//   at TIME plug ID
//   at TIME reload
//   end TIME                    last statement
//
// Beyond the grammar, a script is refused when it could not mean what it says: controller,
// keyboard and screen statements after the first "at" (they describe the start), a statement
// repeated that may stand once, times going backwards, an "at" for a controller the script
// does not declare or for an element that controller does not have, a value outside the
// controller's range, a statement after "end", or no "end" at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "replay/ReplayScript.h"

namespace replay {

struct ParseError {
  int line = 0;
  std::string reason;
};

struct ParseResult {
  std::optional<Script> script;  // set when the script is good
  ParseError error;              // otherwise
};

class CReplayScriptParser {
 public:
  static ParseResult Parse(std::string_view text);

 private:
  struct Token {
    std::string text;
    bool quoted = false;
  };

  // Each of these returns false after setting error_.
  bool ParseLine(std::string_view line);
  bool Tokenize(std::string_view line);
  bool Statement();
  bool Config();
  bool Controller();
  bool ControllerOption(ControllerDeclaration& declared, std::size_t& at, std::string& seen);
  bool Keyboard();
  bool Screen();
  bool Answer();
  bool At();
  bool TimedEvent(Event& event);
  bool End();
  bool Finish(int lastLine);

  // Token helpers.
  bool Count(std::size_t expected);
  bool Word(std::size_t index, const char* what, std::string& out);
  bool Number(std::size_t index, const char* what, std::uint64_t max, std::uint64_t& out);
  bool ControllerId(std::size_t index, const ControllerDeclaration*& declared);
  bool BeforeFirstAt(const char* statement);
  bool Fail(std::string reason);

  Script script_;
  ParseError error_;
  int line_ = 0;
  std::vector<Token> tokens_;
  bool haveConfig_ = false;
  bool haveKeyboard_ = false;
  bool haveScreen_ = false;
  bool haveAt_ = false;
  bool haveEnd_ = false;
};

}  // namespace replay
