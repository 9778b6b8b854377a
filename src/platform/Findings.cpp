#include "platform/Findings.h"

#include <utility>

#include "platform/Platform.h"

namespace seam {

namespace {
// A trivially destructible thread-local pointer: safe on every runtime.
thread_local ScopedFindings* t_collector = nullptr;
}  // namespace

void Report(const std::string& text, const std::string& caption, MessageIcon icon) {
  if (t_collector != nullptr) {
    t_collector->Add({text, caption, icon, t_collector->ReadingFile()});
    return;
  }
  Messages().Show(text, caption, MessageButtons::Ok, icon);
}

void NoteReadingFile(const std::string& fileName) {
  if (t_collector != nullptr) t_collector->SetReadingFile(fileName);
}

ScopedFindings::ScopedFindings()
    : outer_(t_collector), readingFile_(outer_ != nullptr ? outer_->readingFile_ : "") {
  t_collector = this;
}

ScopedFindings::~ScopedFindings() { t_collector = outer_; }

std::vector<Finding> ScopedFindings::Take() { return std::exchange(findings_, {}); }

bool IsAboutFileRead(const std::string& text, const std::string& caption) {
  if (caption == "Problem") return false;
  return caption != "Configuration Error" || text.rfind("Could not open the file", 0) == 0 ||
         text.rfind("The file \"", 0) == 0;
}

namespace {

// The file a finding is about, with its folder; empty when it names none.
std::string FullPathOf(const Finding& finding) {
  return finding.file.empty() || Current().program == nullptr ? finding.file
                                                              : ResolveProgramPath(finding.file);
}

}  // namespace

Finding CombineFindings(const std::vector<Finding>& findings, bool nameFiles) {
  Finding combined = findings.empty() ? Finding{} : findings.front();
  if (findings.size() == 1) {
    const std::string path = nameFiles ? FullPathOf(combined) : std::string();
    if (!path.empty() && combined.text.find(path) == std::string::npos) {
      combined.text += "\r\n(" + path + ")";
    }
    return combined;
  }
  bool oneFile = true;
  for (const Finding& finding : findings) oneFile = oneFile && finding.file == combined.file;
  oneFile = oneFile || !nameFiles;
  const std::string only = oneFile && nameFiles ? FullPathOf(combined) : std::string();
  combined.text = std::to_string(findings.size()) + " problems were found" +
                  (only.empty() ? std::string(":") : " in \"" + only + "\":");
  for (std::size_t i = 0; i < findings.size() && i < kFindingsListed; ++i) {
    const bool newFile = i == 0 || findings[i].file != findings[i - 1].file;
    if (!oneFile && newFile && !findings[i].file.empty()) {
      combined.text += "\r\n\r\nIn \"" + FullPathOf(findings[i]) + "\":";
    }
    combined.text += "\r\n\r\n" + findings[i].text;
  }
  if (findings.size() > kFindingsListed) {
    combined.text +=
        "\r\n\r\n... and " + std::to_string(findings.size() - kFindingsListed) + " more.";
  }
  return combined;
}

}  // namespace seam
