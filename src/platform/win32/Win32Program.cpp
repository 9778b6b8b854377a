#include "platform/win32/Win32Program.h"

#include <windows.h>

#include <vector>

namespace seam {

std::string Win32Program::ModuleFileName() {
  // A path that fills the buffer may have been cut: grow it and ask again.
  for (DWORD size = MAX_PATH; size <= 32768 * 2; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) return std::string(buffer.data(), length);
  }
  return {};
}

}  // namespace seam
