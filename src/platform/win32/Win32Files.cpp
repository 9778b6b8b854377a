#include "platform/win32/Win32Files.h"

#include <windows.h>
// After windows.h.
#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cerrno>
#include <cstring>

namespace seam {

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size,
                      nullptr, nullptr);
  return narrow;
}

std::wstring WidePath(const std::string& path) {
  std::wstring wide = Widen(path);
  for (wchar_t& c : wide) c = c == L'/' ? L'\\' : c;
  if (wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  const bool drive = wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\';
  const bool share = wide.rfind(L"\\\\", 0) == 0;
  if (!drive && !share) return wide;
  // The prefix passes the path on as it is: "." and ".." must be resolved first.
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size > 0) {
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length > 0 && length < size) wide = full.substr(0, length);
  }
  return drive ? L"\\\\?\\" + wide : L"\\\\?\\UNC\\" + wide.substr(2);
}

namespace {

// "CON", "PRN", "AUX", "NUL", "COM0".."COM9", "LPT0".."LPT9", with any extension: Windows
// opens the device, whatever the folder.
bool NamesADevice(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
  name = name.substr(0, name.find('.'));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL") return true;
  return name.size() == 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0) &&
         std::isdigit(static_cast<unsigned char>(name[3]));
}

int ErrorNumber(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    default:
      return EIO;
  }
}

}  // namespace

OpenedFile Win32Files::OpenForReading(const std::string& path) {
  OpenedFile opened;
  if (NamesADevice(path)) {
    opened.why = "it is the name of a device, not of a file";
    return opened;
  }
  const std::wstring wide = WidePath(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    opened.why = "it is a folder";
    return opened;
  }
  HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const int error = ErrorNumber(GetLastError());
    opened.why = std::strerror(error);
    opened.missing = error == ENOENT;
    return opened;
  }
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    opened.why = "it is not a regular file (a device or a pipe)";
    return opened;
  }
  // From here the C runtime owns the handle.
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(handle);
    opened.why = std::strerror(EMFILE);
    return opened;
  }
  opened.file.reset(_fdopen(descriptor, "rb"));
  if (!opened.file) {
    _close(descriptor);
    opened.why = std::strerror(ENOMEM);
  }
  return opened;
}

bool Win32Files::CreateDurably(const std::string& path, const std::string& bytes, bool& nameTaken) {
  nameTaken = false;
  const std::wstring wide = WidePath(path);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
  if (!ok) DeleteFileW(wide.c_str());
  return ok;
}

bool Win32Files::Replace(const std::string& from, const std::string& to) {
  return MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Win32Files::Remove(const std::string& path) { DeleteFileW(WidePath(path).c_str()); }

IFiles& SystemFiles() {
  static Win32Files files;
  return files;
}

}  // namespace seam
