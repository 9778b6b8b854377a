#include "platform/sim/SimFiles.h"

namespace seam {

void SimFiles::FailNext(Step step) {
  std::lock_guard lock(mutex_);
  (step == Step::Create ? failCreate_ : failReplace_) = true;
}

bool SimFiles::TakeFailure(bool& pending) {
  std::lock_guard lock(mutex_);
  const bool fail = pending;
  pending = false;
  return fail;
}

bool SimFiles::CreateDurably(const std::string& path, const std::string& bytes, bool& nameTaken) {
  nameTaken = false;
  if (TakeFailure(failCreate_)) return false;
  return SystemFiles().CreateDurably(path, bytes, nameTaken);
}

bool SimFiles::Replace(const std::string& from, const std::string& to) {
  if (TakeFailure(failReplace_)) return false;
  return SystemFiles().Replace(from, to);
}

void SimFiles::Remove(const std::string& path) { SystemFiles().Remove(path); }

}  // namespace seam
