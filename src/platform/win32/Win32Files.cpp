#include "platform/win32/Win32Files.h"

#include <windows.h>

namespace seam {

bool Win32Files::CreateDurably(const std::string& path, const std::string& bytes, bool& nameTaken) {
  nameTaken = false;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    return false;
  }
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    const std::size_t left = bytes.size() - done;
    const DWORD piece = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    DWORD written = 0;
    ok = WriteFile(file, bytes.data() + done, piece, &written, nullptr) != 0 && written > 0;
    done += written;
  }
  ok = ok && FlushFileBuffers(file) != 0;
  ok = CloseHandle(file) != 0 && ok;
  if (!ok) DeleteFileA(path.c_str());
  return ok;
}

bool Win32Files::Replace(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Win32Files::Remove(const std::string& path) { DeleteFileA(path.c_str()); }

IFiles& SystemFiles() {
  static Win32Files files;
  return files;
}

}  // namespace seam
