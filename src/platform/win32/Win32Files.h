// Files through the Win32 API, with paths in the system's code page like every file function
// of the program.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Holds no state: one object serves every thread.
class Win32Files : public IFiles {
 public:
  bool CreateDurably(const std::string& path, const std::string& bytes, bool& nameTaken) override;
  // MoveFileExA with MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH.
  bool Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
};

}  // namespace seam
