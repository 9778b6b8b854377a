#include "platform/win32/Win32Files.h"

#include <windows.h>
// After windows.h.
#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>

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

// What the system says about an error, as the middle of a sentence: "access is denied".
FileWrite Failed(DWORD error) {
  FileWrite result;
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (length > 0 && text != nullptr) result.why = Narrow(std::wstring(text, length));
  if (text != nullptr) LocalFree(text);
  while (!result.why.empty() && std::strchr(".\r\n ", result.why.back()) != nullptr) {
    result.why.pop_back();
  }
  if (result.why.empty()) result.why = "system error " + std::to_string(error);
  result.why[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(result.why[0])));
  result.nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
  return result;
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

FileWrite Win32Files::CreateDurably(const std::string& path, const std::string& bytes) {
  const std::wstring wide = WidePath(path);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Failed(GetLastError());
  DWORD error = ERROR_SUCCESS;
  std::size_t done = 0;
  while (error == ERROR_SUCCESS && done < bytes.size()) {
    const std::size_t left = bytes.size() - done;
    const DWORD piece = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    DWORD written = 0;
    if (WriteFile(file, bytes.data() + done, piece, &written, nullptr) == 0 || written == 0) {
      error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT;
    }
    done += written;
  }
  if (error == ERROR_SUCCESS && FlushFileBuffers(file) == 0) error = GetLastError();
  if (CloseHandle(file) == 0 && error == ERROR_SUCCESS) error = GetLastError();
  if (error != ERROR_SUCCESS) {
    DeleteFileW(wide.c_str());
    return Failed(error);
  }
  return {true, false, {}};
}

FileWrite Win32Files::Replace(const std::string& from, const std::string& to) {
  const std::wstring target = WidePath(to);
  const DWORD old = GetFileAttributesW(target.c_str());
  if (old != INVALID_FILE_ATTRIBUTES) {
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    SetFileAttributesW(WidePath(from).c_str(), (old & kKept) | FILE_ATTRIBUTE_NORMAL);
  }
  if (MoveFileExW(WidePath(from).c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    return Failed(GetLastError());
  }
  return {true, false, {}};
}

void Win32Files::Remove(const std::string& path) { DeleteFileW(WidePath(path).c_str()); }

std::string Win32Files::WriteTarget(const std::string& path) {
  const std::wstring wide = WidePath(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return path;
  }
  HANDLE file = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  std::wstring final(1024, L'\0');
  DWORD length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
  if (length >= final.size()) {
    final.resize(length + 1);
    length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
  }
  CloseHandle(file);
  if (length == 0 || length >= final.size()) return path;
  final.resize(length);
  return Narrow(final);  // "\\?\C:\..." stays a path that WidePath passes on as it is
}

IFiles& SystemFiles() {
  static Win32Files files;
  return files;
}

}  // namespace seam
