// Files on a POSIX system: native builds and tandrel-cli.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Holds no state: one object serves every thread.
class PosixFiles : public IFiles {
 public:
  OpenedFile OpenForReading(const std::string& path) override;
  FileWrite CreateDurably(const std::string& path, const std::string& bytes) override;
  // rename(), after giving the new file the mode and owner of the old one.
  FileWrite Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
  std::string WriteTarget(const std::string& path) override;
};

}  // namespace seam
