#include "platform/linux/ConsoleMessages.h"

#include <algorithm>

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

void ConsoleMessages::ShowFindings(const std::vector<Finding>& findings) {
  std::vector<std::pair<std::string, int>> lines;  // in order of first appearance, counted
  for (const Finding& finding : findings) {
    std::string line = "tandrel: " + finding.caption + ": ";
    if (!finding.file.empty() && IsAboutFileRead(finding.text, finding.caption)) {
      const std::string file = ResolveProgramPath(finding.file);
      if (finding.text.find(file) == std::string::npos) line += file + ": ";
    }
    line += OneLine(finding.text);
    const auto same = std::find_if(lines.begin(), lines.end(),
                                   [&line](const auto& seen) { return seen.first == line; });
    if (same != lines.end()) {
      ++same->second;
    } else {
      lines.emplace_back(std::move(line), 1);
    }
  }
  std::lock_guard lock(mutex_);
  for (const auto& [line, count] : lines) {
    std::fprintf(out_, "%s%s\n", line.c_str(),
                 count > 1 ? (" (" + std::to_string(count) + " times)").c_str() : "");
  }
  std::fflush(out_);
}

}  // namespace seam
