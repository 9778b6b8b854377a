#include "platform/sim/SimProgram.h"

namespace seam {

std::string SimProgram::ModuleFileName() {
  std::lock_guard guard(lock_);
  return path_;
}

void SimProgram::SetModuleFileName(std::string path) {
  std::lock_guard guard(lock_);
  path_ = std::move(path);
}

}  // namespace seam
