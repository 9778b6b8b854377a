// The program's own module file name, settable (tests point it into a folder of their own).
#pragma once

#include <mutex>
#include <string>

#include "platform/Platform.h"

namespace seam {

class SimProgram : public IProgram {
 public:
  explicit SimProgram(std::string path = "/sim/Tandrel.exe") : path_(std::move(path)) {}

  std::string ModuleFileName() override;
  void SetModuleFileName(std::string path);

 private:
  std::mutex lock_;  // guards path_
  std::string path_;
};

}  // namespace seam
