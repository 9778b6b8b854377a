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

namespace {
FileWrite DiskFull() { return {false, false, "no space left on device"}; }
}  // namespace

FileWrite SimFiles::CreateDurably(const std::string& path, const std::string& bytes) {
  if (Failing(Step::Create)) return DiskFull();
  return SystemFiles().CreateDurably(path, bytes);
}

FileWrite SimFiles::Replace(const std::string& from, const std::string& to) {
  if (Failing(Step::Replace)) return DiskFull();
  return SystemFiles().Replace(from, to);
}

void SimFiles::Remove(const std::string& path) { SystemFiles().Remove(path); }

std::string SimFiles::WriteTarget(const std::string& path) {
  return SystemFiles().WriteTarget(path);
}

}  // namespace seam
