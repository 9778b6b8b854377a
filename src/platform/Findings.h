// Messages as data. What a load finds wrong in the files is collected while the load runs and
// shown once it is over, outside every lock, all together: one message box for one finding, one
// box listing the first few and counting the rest for many. A load can then never end up in a
// message loop while it holds a lock, and a broken file never costs the user one box per line.
//
// Collection is per thread: a ScopedFindings on a thread collects every finding that thread
// reports while it lives (the innermost one, when they nest); on a thread without one, a finding
// is shown at once. Questions are never collected: they need their answer.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

namespace seam {

struct Finding {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::Error;
  std::string file;  // the file the thread was reading when it arose (as the loader named it)
  bool operator==(const Finding&) const = default;
};

// Reports a finding: collected by the thread's ScopedFindings, or shown at once (OK button).
void Report(const std::string& text, const std::string& caption,
            MessageIcon icon = MessageIcon::Error);

// The file this thread reads from now on, for the findings it reports (see Finding::file).
void NoteReadingFile(const std::string& fileName);

class ScopedFindings {
 public:
  ScopedFindings();
  ~ScopedFindings();
  ScopedFindings(const ScopedFindings&) = delete;
  ScopedFindings& operator=(const ScopedFindings&) = delete;

  void Add(Finding finding) { findings_.push_back(std::move(finding)); }
  const std::string& ReadingFile() const { return readingFile_; }
  void SetReadingFile(const std::string& fileName) { readingFile_ = fileName; }
  // The findings so far, in the order they arose; the collection starts afresh.
  std::vector<Finding> Take();

 private:
  std::vector<Finding> findings_;
  ScopedFindings* outer_;
  std::string readingFile_;
};

// Whether a message is about the file its thread was reading: a reader's complaint ("XML Error",
// a profile's question), or that file not opening or not being well formed; not the
// configuration's own verdicts ("Problem", its "Configuration Error"s), which it shows between
// the reads of its files.
bool IsAboutFileRead(const std::string& text, const std::string& caption);

// How many findings one box lists before it counts the rest.
constexpr std::size_t kFindingsListed = 8;

// The text and caption of one box for the findings: one finding's text, or "<n> problems were
// found:" and the first kFindingsListed texts, each after a blank line, then "... and <m> more."
// for the rest. With `nameFiles` (the message boxes of the Windows program) the box names the
// file the findings are about with its folder: after a lone finding that does not name it so
// already ("(<path>)"), in the first line when all are about one file ("... were found in
// "<path>":"), else before the findings of each file ("In "<path>":"). The caption and icon are
// those of the first finding.
Finding CombineFindings(const std::vector<Finding>& findings, bool nameFiles = false);

}  // namespace seam
