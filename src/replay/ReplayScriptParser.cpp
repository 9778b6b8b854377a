#include "replay/ReplayScriptParser.h"

#include <algorithm>
#include <limits>

namespace replay {

namespace {

constexpr std::uint64_t kMaxTime = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kMaxValue = std::numeric_limits<std::uint32_t>::max();
constexpr int kMaxScreen = 100000;
constexpr std::size_t kMaxNameLength = seam::kProductNameSize - 1;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

ParseResult CReplayScriptParser::Parse(std::string_view text) {
  // Editors on Windows start "UTF-8" files with a byte-order mark.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  CReplayScriptParser parser;
  ParseResult result;
  int lastLine = 0;
  while (!text.empty() || lastLine == 0) {
    const std::size_t cut = text.find('\n');
    std::string_view line = text.substr(0, cut);
    text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    parser.line_ = ++lastLine;
    if (!parser.ParseLine(line)) {
      result.error = parser.error_;
      return result;
    }
    if (text.empty()) break;
  }
  if (!parser.Finish(lastLine)) {
    result.error = parser.error_;
    return result;
  }
  result.script = std::move(parser.script_);
  return result;
}

bool CReplayScriptParser::Fail(std::string reason) {
  error_ = {line_, std::move(reason)};
  return false;
}

bool CReplayScriptParser::ParseLine(std::string_view line) {
  if (!Tokenize(line)) return false;
  if (tokens_.empty()) return true;
  if (haveEnd_) return Fail("nothing may follow the end statement");
  return Statement();
}

bool CReplayScriptParser::Tokenize(std::string_view line) {
  tokens_.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    Token token;
    if (line[i] == '"') {
      const std::size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) return Fail("a text is not closed with \"");
      token.text = line.substr(i + 1, close - i - 1);
      token.quoted = true;
      i = close + 1;
      if (i < line.size() && !IsBlank(line[i]) && line[i] != '#') {
        return Fail("a blank must follow the text " + Quote(token.text));
      }
    } else {
      const std::size_t start = i;
      while (i < line.size() && !IsBlank(line[i]) && line[i] != '#') {
        if (line[i] == '"') return Fail("a text must stand apart from the word before it");
        ++i;
      }
      token.text = line.substr(start, i - start);
    }
    tokens_.push_back(std::move(token));
  }
  return true;
}

bool CReplayScriptParser::Statement() {
  const Token& first = tokens_[0];
  if (first.quoted) return Fail("a statement starts with a keyword, not a text");
  const std::string& keyword = first.text;
  if (!haveConfig_ && keyword != "config") {
    return Fail("the script must start with a config statement");
  }
  if (keyword == "config") return Config();
  if (keyword == "controller") return Controller();
  if (keyword == "keyboard") return Keyboard();
  if (keyword == "screen") return Screen();
  if (keyword == "answer") return Answer();
  if (keyword == "at") return At();
  if (keyword == "end") return End();
  return Fail("unknown statement \"" + keyword + "\"");
}

bool CReplayScriptParser::Count(std::size_t expected) {
  if (tokens_.size() == expected) return true;
  if (tokens_.size() < expected) return Fail(tokens_[0].text + " is missing a value");
  return Fail("unexpected \"" + tokens_[expected].text + "\" after the " + tokens_[0].text +
              " statement");
}

bool CReplayScriptParser::Word(std::size_t index, const char* what, std::string& out) {
  if (index >= tokens_.size()) return Fail(std::string("missing ") + what);
  if (tokens_[index].quoted) return Fail(std::string("expected ") + what + ", not a text");
  out = tokens_[index].text;
  return true;
}

bool CReplayScriptParser::Number(std::size_t index, const char* what, std::uint64_t max,
                                 std::uint64_t& out) {
  std::string text;
  if (!Word(index, what, text)) return false;
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return Fail(std::string(what) + " must be a number, not \"" + text + "\"");
  }
  std::uint64_t value = 0;
  for (char c : text) {
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > max) break;
  }
  if (value > max) {
    return Fail(std::string(what) + " " + text + " is above " + std::to_string(max));
  }
  out = value;
  return true;
}

bool CReplayScriptParser::ControllerId(std::size_t index, const ControllerDeclaration*& declared) {
  std::uint64_t id = 0;
  if (!Number(index, "controller ID", seam::kMaxJoysticks - 1, id)) return false;
  for (const ControllerDeclaration& c : script_.controllers) {
    if (c.id == static_cast<int>(id)) {
      declared = &c;
      return true;
    }
  }
  return Fail("controller " + std::to_string(id) + " is not declared");
}

bool CReplayScriptParser::BeforeFirstAt(const char* statement) {
  if (!haveAt_) return true;
  return Fail(std::string(statement) + " describes the start: it must come before the first at");
}

bool CReplayScriptParser::Config() {
  if (haveConfig_) return Fail("config may stand only once");
  if (!Count(2)) return false;
  if (tokens_[1].text.empty()) return Fail("the configuration path is empty");
  script_.configPath = tokens_[1].text;
  haveConfig_ = true;
  return true;
}

bool CReplayScriptParser::Controller() {
  if (!BeforeFirstAt("controller")) return false;
  ControllerDeclaration declared;
  std::uint64_t id = 0;
  if (!Number(1, "controller ID", seam::kMaxJoysticks - 1, id)) return false;
  declared.id = static_cast<int>(id);
  for (const ControllerDeclaration& c : script_.controllers) {
    if (c.id == declared.id) return Fail("controller " + std::to_string(id) + " is declared twice");
  }
  std::string seen;
  for (std::size_t at = 2; at < tokens_.size();) {
    if (!ControllerOption(declared, at, seen)) return false;
  }
  script_.controllers.push_back(declared);
  return true;
}

bool CReplayScriptParser::ControllerOption(ControllerDeclaration& declared, std::size_t& at,
                                           std::string& seen) {
  std::string option;
  if (!Word(at, "a controller option", option)) return false;
  if (option != "name" && option != "axes" && option != "buttons" && option != "pov" &&
      option != "range") {
    return Fail("unknown controller option \"" + option + "\"");
  }
  if (seen.find(" " + option + " ") != std::string::npos) {
    return Fail("the controller option " + option + " is given twice");
  }
  seen += " " + option + " ";
  ++at;
  if (option == "pov") {
    declared.pov = true;
    return true;
  }
  if (option == "name") {
    if (at >= tokens_.size() || !tokens_[at].quoted) return Fail("name takes a text in quotes");
    declared.name = tokens_[at++].text;
    if (declared.name.size() > kMaxNameLength) {
      return Fail("the name is longer than " + std::to_string(kMaxNameLength) + " characters");
    }
    return true;
  }
  if (option == "axes") {
    std::string letters;
    if (!Word(at++, "the axis letters", letters)) return false;
    for (std::size_t i = 0; i < letters.size(); ++i) {
      const char c = letters[i];
      if (std::string_view("XYZRUV").find(c) == std::string_view::npos) {
        return Fail(std::string("unknown axis letter ") + c + " (use X, Y, Z, R, U, V)");
      }
      if (letters.find(c, i + 1) != std::string::npos) {
        return Fail(std::string("the axis letter ") + c + " is given twice");
      }
    }
    declared.axes = letters;
    return true;
  }
  if (option == "buttons") {
    std::uint64_t buttons = 0;
    if (!Number(at++, "the number of buttons", 32, buttons)) return false;
    declared.buttons = static_cast<unsigned>(buttons);
    return true;
  }
  std::uint64_t min = 0;
  std::uint64_t max = 0;
  if (!Number(at++, "the range minimum", kMaxValue, min)) return false;
  if (!Number(at++, "the range maximum", kMaxValue, max)) return false;
  if (min >= max) return Fail("the range minimum must be below its maximum");
  declared.min = static_cast<std::uint32_t>(min);
  declared.max = static_cast<std::uint32_t>(max);
  return true;
}

bool CReplayScriptParser::Keyboard() {
  if (!BeforeFirstAt("keyboard")) return false;
  if (haveKeyboard_) return Fail("keyboard may stand only once");
  if (!Count(3)) return false;
  std::uint64_t delay = 0;
  std::uint64_t speed = 0;
  if (!Number(1, "the keyboard delay", 3, delay) || !Number(2, "the keyboard speed", 31, speed)) {
    return false;
  }
  script_.keyboardDelay = static_cast<int>(delay);
  script_.keyboardSpeed = static_cast<int>(speed);
  haveKeyboard_ = true;
  return true;
}

bool CReplayScriptParser::Screen() {
  if (!BeforeFirstAt("screen")) return false;
  if (haveScreen_) return Fail("screen may stand only once");
  if (!Count(3)) return false;
  std::uint64_t width = 0;
  std::uint64_t height = 0;
  if (!Number(1, "the screen width", kMaxScreen, width) ||
      !Number(2, "the screen height", kMaxScreen, height)) {
    return false;
  }
  if (width == 0 || height == 0) return Fail("the screen must be at least 1 x 1");
  script_.screenWidth = static_cast<int>(width);
  script_.screenHeight = static_cast<int>(height);
  haveScreen_ = true;
  return true;
}

bool CReplayScriptParser::Answer() {
  if (!Count(2)) return false;
  std::string word;
  if (!Word(1, "an answer", word)) return false;
  if (word == "yes") {
    script_.answers.push_back(seam::MessageAnswer::Yes);
  } else if (word == "no") {
    script_.answers.push_back(seam::MessageAnswer::No);
  } else if (word == "ok") {
    script_.answers.push_back(seam::MessageAnswer::Ok);
  } else if (word == "cancel") {
    script_.answers.push_back(seam::MessageAnswer::Cancel);
  } else {
    return Fail("the answer must be yes, no, ok or cancel, not \"" + word + "\"");
  }
  return true;
}

bool CReplayScriptParser::At() {
  Event event;
  event.line = line_;
  if (!Number(1, "the time", kMaxTime, event.time)) return false;
  if (!script_.events.empty() && event.time < script_.events.back().time) {
    return Fail("time goes backwards: the statement before is at " +
                std::to_string(script_.events.back().time));
  }
  if (!TimedEvent(event)) return false;
  script_.events.push_back(std::move(event));
  haveAt_ = true;
  return true;
}

bool CReplayScriptParser::TimedEvent(Event& event) {
  std::string what;
  if (!Word(2, "what happens at that time", what)) return false;
  const ControllerDeclaration* declared = nullptr;
  if (what == "button") {
    event.kind = Event::Kind::Button;
    std::uint64_t button = 0;
    std::string state;
    if (!Count(6) || !ControllerId(3, declared)) return false;
    if (!Number(4, "the button number", 32, button) || !Word(5, "down or up", state)) return false;
    if (button < 1 || button > declared->buttons) {
      return Fail("controller " + std::to_string(declared->id) + " has no button " +
                  std::to_string(button));
    }
    if (state != "down" && state != "up") return Fail("a button goes down or up, not " + state);
    event.id = declared->id;
    event.button = static_cast<int>(button);
    event.down = state == "down";
    return true;
  }
  if (what == "axis") {
    event.kind = Event::Kind::Axis;
    std::string letter;
    std::uint64_t value = 0;
    if (!Count(6) || !ControllerId(3, declared) || !Word(4, "the axis letter", letter))
      return false;
    if (letter.size() != 1 || std::string_view("XYZRUV").find(letter[0]) == std::string::npos) {
      return Fail("unknown axis \"" + letter + "\" (use X, Y, Z, R, U, V)");
    }
    if (!declared->HasAxis(letter[0])) {
      return Fail("controller " + std::to_string(declared->id) + " has no " + letter + " axis");
    }
    if (!Number(5, "the axis value", kMaxValue, value)) return false;
    if (value < declared->min || value > declared->max) {
      return Fail("the axis value " + std::to_string(value) + " is outside the range " +
                  std::to_string(declared->min) + ".." + std::to_string(declared->max));
    }
    event.id = declared->id;
    event.axis = letter[0];
    event.value = static_cast<std::uint32_t>(value);
    return true;
  }
  if (what == "pov") {
    event.kind = Event::Kind::Pov;
    std::string angle;
    if (!Count(5) || !ControllerId(3, declared) || !Word(4, "the hat angle", angle)) return false;
    if (!declared->pov) return Fail("controller " + std::to_string(declared->id) + " has no hat");
    event.id = declared->id;
    if (angle == "center") {
      event.value = seam::kPovCentered;
      return true;
    }
    std::uint64_t hundredths = 0;
    if (!Number(4, "the hat angle in hundredths of a degree", 35999, hundredths)) return false;
    event.value = static_cast<std::uint32_t>(hundredths);
    return true;
  }
  if (what == "window") {
    event.kind = Event::Kind::Window;
    if (!Count(4)) return false;
    if (!tokens_[3].quoted) return Fail("the window title must stand in double quotes");
    event.title = tokens_[3].text;
    return true;
  }
  if (what == "unplug" || what == "plug") {
    event.kind = what == "plug" ? Event::Kind::Plug : Event::Kind::Unplug;
    if (!Count(4) || !ControllerId(3, declared)) return false;
    event.id = declared->id;
    return true;
  }
  if (what == "reload") {
    event.kind = Event::Kind::Reload;
    return Count(3);
  }
  return Fail("unknown event \"" + what + "\" (button, axis, pov, window, unplug, plug, reload)");
}

bool CReplayScriptParser::End() {
  if (!Count(2)) return false;
  std::uint64_t end = 0;
  if (!Number(1, "the end time", kMaxTime, end)) return false;
  if (!script_.events.empty() && end < script_.events.back().time) {
    return Fail("the end comes before the last statement, at " +
                std::to_string(script_.events.back().time));
  }
  script_.end = end;
  haveEnd_ = true;
  return true;
}

bool CReplayScriptParser::Finish(int lastLine) {
  line_ = lastLine;
  if (!haveConfig_) return Fail("the script must start with a config statement");
  if (!haveEnd_) return Fail("the script has no end statement");
  return true;
}

}  // namespace replay
