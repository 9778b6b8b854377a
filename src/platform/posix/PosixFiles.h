// Files on a POSIX system: native builds and tandrel-cli.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Holds no state: one object serves every thread.
class PosixFiles : public IFiles {
 public:
  OpenedFile OpenForReading(const std::string& path) override;
  bool CreateDurably(const std::string& path, const std::string& bytes, bool& nameTaken) override;
  bool Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
};

}  // namespace seam
