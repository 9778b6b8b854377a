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

Finding CombineFindings(const std::vector<Finding>& findings) {
  if (findings.size() == 1) return findings.front();
  Finding combined = findings.empty() ? Finding{} : findings.front();
  combined.text = std::to_string(findings.size()) + " problems were found:";
  for (std::size_t i = 0; i < findings.size() && i < kFindingsListed; ++i) {
    combined.text += "\r\n\r\n" + findings[i].text;
  }
  if (findings.size() > kFindingsListed) {
    combined.text +=
        "\r\n\r\n... and " + std::to_string(findings.size() - kFindingsListed) + " more.";
  }
  return combined;
}

}  // namespace seam
