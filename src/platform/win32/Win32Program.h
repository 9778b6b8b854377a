// The running program's module file.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Stateless.
class Win32Program : public IProgram {
 public:
  // The full path of the executable, however long.
  std::string ModuleFileName() override;
};

}  // namespace seam
