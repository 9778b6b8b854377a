// Files for tests and tandrel-cli: the system's own (seam::SystemFiles), with failures that a
// test can order, as a full disk or a locked target would give them.
#pragma once

#include <mutex>

#include "platform/Platform.h"

namespace seam {

class SimFiles : public IFiles {
 public:
  enum class Step { Create, Replace };

  // While set, every call of that step fails without touching any file.
  void SetFailing(Step step, bool failing);

  OpenedFile OpenForReading(const std::string& path) override;
  // A failing step says "no space left on device", as a full disk would.
  FileWrite CreateDurably(const std::string& path, const std::string& bytes) override;
  FileWrite Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
  std::string WriteTarget(const std::string& path) override;

 private:
  bool Failing(Step step);

  std::mutex mutex_;  // guards the two flags
  bool failCreate_ = false;
  bool failReplace_ = false;
};

}  // namespace seam
