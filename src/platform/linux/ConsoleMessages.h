// Message boxes of a program without windows: each is one line on a stream ("tandrel: CAPTION:
// TEXT", line breaks shown as spaces) and a question takes the answer of a box closed without
// a choice (No; Cancel for Ok/Cancel), as tandrel-cli answers them. The findings of a load are
// a line each, the same one once with its count ("(8 times)"); one about a file names the file
// with its folder ("tandrel: XML Error: /home/me/.config/tandrel/Gamepad.xml: TEXT"), since the
// files name each other relative to the configuration's folder.
#pragma once

#include <cstdio>
#include <mutex>
#include <vector>

#include "platform/Platform.h"

namespace seam {

class ConsoleMessages : public IMessages {
 public:
  explicit ConsoleMessages(std::FILE* out) : out_(out) {}
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageButtons buttons,
                     MessageIcon icon) override;
  void ShowFindings(const std::vector<Finding>& findings) override;

 private:
  std::mutex mutex_;  // one line at a time from either thread
  std::FILE* const out_;
};

// A text on one line: CR, LF and tabs become single spaces.
std::string OneLine(const std::string& text);

}  // namespace seam
