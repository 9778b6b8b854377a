#include "platform/linux/ConsoleMessages.h"

namespace seam {

std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    const bool blank = c == '\r' || c == '\n' || c == '\t';
    if (blank && (line.empty() || line.back() == ' ')) continue;
    line += blank ? ' ' : c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

MessageAnswer ConsoleMessages::Show(const std::string& text, const std::string& caption,
                                    MessageButtons buttons, MessageIcon /*icon*/) {
  const MessageAnswer answer = DefaultAnswer(buttons);
  std::string line = "tandrel: " + caption + ": " + OneLine(text);
  if (buttons != MessageButtons::Ok)
    line += answer == MessageAnswer::Cancel ? " -> cancel" : " -> no";
  std::lock_guard lock(mutex_);
  std::fprintf(out_, "%s\n", line.c_str());
  std::fflush(out_);
  return answer;
}

}  // namespace seam
