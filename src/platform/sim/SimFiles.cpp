#include "platform/sim/SimFiles.h"

namespace seam {

void SimFiles::SetFailing(Step step, bool failing) {
  std::lock_guard lock(mutex_);
  (step == Step::Create ? failCreate_ : failReplace_) = failing;
}

bool SimFiles::Failing(Step step) {
  std::lock_guard lock(mutex_);
  return step == Step::Create ? failCreate_ : failReplace_;
}

OpenedFile SimFiles::OpenForReading(const std::string& path) {
  return SystemFiles().OpenForReading(path);
}

bool SimFiles::CreateDurably(const std::string& path, const std::string& bytes, bool& nameTaken) {
  nameTaken = false;
  if (Failing(Step::Create)) return false;
  return SystemFiles().CreateDurably(path, bytes, nameTaken);
}

bool SimFiles::Replace(const std::string& from, const std::string& to) {
  if (Failing(Step::Replace)) return false;
  return SystemFiles().Replace(from, to);
}

void SimFiles::Remove(const std::string& path) { SystemFiles().Remove(path); }

}  // namespace seam
