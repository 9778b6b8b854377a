// Message boxes of a program without windows: each is one line on a stream ("tandrel: CAPTION:
// TEXT", line breaks shown as spaces) and a question takes the answer of a box closed without
// a choice (No; Cancel for Ok/Cancel), as tandrel-cli answers them.
#pragma once

#include <cstdio>
#include <mutex>

#include "platform/Platform.h"

namespace seam {

class ConsoleMessages : public IMessages {
 public:
  explicit ConsoleMessages(std::FILE* out) : out_(out) {}
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageButtons buttons,
                     MessageIcon icon) override;

 private:
  std::mutex mutex_;  // one line at a time from either thread
  std::FILE* const out_;
};

// A text on one line: CR, LF and tabs become single spaces.
std::string OneLine(const std::string& text);

}  // namespace seam
