#include "platform/win32/Win32Program.h"

#include <windows.h>

#include <string>

#include "platform/win32/Win32Files.h"

namespace seam {

std::string Win32Program::ModuleFileName() {
  // A path that fills the buffer may have been cut: grow it and ask again. UTF-8, as every
  // name of the program.
  for (DWORD size = MAX_PATH; size <= 32768 * 2; size *= 2) {
    std::wstring buffer(size, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) return Narrow(buffer.substr(0, length));
  }
  return {};
}

}  // namespace seam
