#include "replay/ReplayOutput.h"

#include <cstdarg>
#include <cstdio>

#include "platform/sim/SimDesktop.h"

namespace replay {

std::string EscapeLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

const char* AnswerWord(seam::MessageAnswer answer) {
  switch (answer) {
    case seam::MessageAnswer::Yes:
      return "yes";
    case seam::MessageAnswer::No:
      return "no";
    case seam::MessageAnswer::Ok:
      return "ok";
    case seam::MessageAnswer::Cancel:
      return "cancel";
  }
  return "no";
}

std::string MessageLine(const std::string& text, const std::string& caption,
                        seam::MessageButtons buttons, seam::MessageAnswer answer) {
  const bool question = buttons != seam::MessageButtons::Ok;
  std::string line = question ? "question [" : "message [";
  line += EscapeLineBreaks(caption);
  line += "] ";
  line += EscapeLineBreaks(text);
  if (question) {
    line += " -> ";
    line += AnswerWord(answer);
  }
  return line;
}

CEventPrinter::CEventPrinter(IOutput& output, seam::IClock& clock, seam::SimDesktop& desktop,
                             seam::IMessages& answers)
    : output_(output), clock_(clock), desktop_(desktop), answers_(answers) {}

void CEventPrinter::Print(const char* format, ...) {
  char line[160];
  int length =
      std::snprintf(line, sizeof line, "%lu ", static_cast<unsigned long>(clock_.TickCount()));
  va_list args;
  va_start(args, format);
  const int rest =
      std::vsnprintf(line + length, sizeof line - static_cast<std::size_t>(length), format, args);
  va_end(args);
  length += rest;
  ++lines_;
  output_.Line(std::string_view(line, static_cast<std::size_t>(length)));
}

void CEventPrinter::PrintText(const std::string& rest) {
  ++lines_;
  output_.Line(std::to_string(clock_.TickCount()) + " " + rest);
}

void CEventPrinter::KeyboardEvent(std::uint8_t vk, std::uint8_t, std::uint32_t flags) {
  Print("key 0x%x %s%s", static_cast<unsigned>(vk), (flags & seam::kKeyUp) ? "up" : "down",
        (flags & seam::kKeyExtended) ? " extended" : "");
}

void CEventPrinter::MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                               std::int32_t data) {
  if (flags & seam::kMouseMove) {
    if (flags & seam::kMouseAbsolute) {
      desktop_.PlaceCursorAbsolute(dx, dy);
      Print("mouse absolute %d %d", static_cast<int>(dx), static_cast<int>(dy));
    } else {
      desktop_.MoveCursorBy(dx, dy);
      Print("mouse move %d %d", static_cast<int>(dx), static_cast<int>(dy));
    }
  }
  struct ButtonFlag {
    std::uint32_t flag;
    const char* text;
  };
  static constexpr ButtonFlag kButtons[] = {
      {seam::kMouseLeftDown, "left down"},     {seam::kMouseLeftUp, "left up"},
      {seam::kMouseRightDown, "right down"},   {seam::kMouseRightUp, "right up"},
      {seam::kMouseMiddleDown, "middle down"}, {seam::kMouseMiddleUp, "middle up"},
  };
  for (const ButtonFlag& button : kButtons) {
    if (flags & button.flag) Print("mouse %s", button.text);
  }
  if (flags & seam::kMouseWheel) Print("wheel %d", static_cast<int>(data));
}

seam::MessageAnswer CEventPrinter::Show(const std::string& text, const std::string& caption,
                                        seam::MessageButtons buttons, seam::MessageIcon icon) {
  const seam::MessageAnswer answer = answers_.Show(text, caption, buttons, icon);
  PrintText(MessageLine(text, caption, buttons, answer));
  return answer;
}

void CEventPrinter::ProfileStarted(int id, const std::string& path) {
  PrintText("profile " + std::to_string(id) + " " + path);
}

}  // namespace replay
