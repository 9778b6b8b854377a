#include "platform/win32/Win32StartupEntry.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/win32/Win32Files.h"

namespace seam {

namespace {

// A Run key opened for reading and setting values, closed with the object.
class RunKey {
 public:
  explicit RunKey(const RunKeyLocation& location) {
    if (RegOpenKeyExA(location.root, location.path, 0, KEY_READ | KEY_SET_VALUE, &key_) !=
        ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~RunKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RunKey(const RunKey&) = delete;
  RunKey& operator=(const RunKey&) = delete;

  bool Set(const std::string& name, const std::string& command) const {
    return key_ != nullptr &&
           RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(command.c_str()),
                          static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
  }

  bool Delete(const std::string& name) const {
    if (key_ == nullptr) return false;
    const LONG result = RegDeleteValueA(key_, name.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
  }

 private:
  HKEY key_ = nullptr;
};

// The list does not hold the value (or cannot be read at all, so nothing starts from it).
bool Lacks(const RunKeyLocation& location, const std::string& name) {
  return RegGetValueA(location.root, location.path, name.c_str(), RRF_RT_ANY, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string OwnModule() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return Narrow(path);
}

}  // namespace

Win32StartupEntry::Win32StartupEntry(RunKeyLocation user, RunKeyLocation machine,
                                     std::string program)
    : user_(user), machine_(machine), program_(Lower(program.empty() ? OwnModule() : program)) {}

bool Win32StartupEntry::StartsThisProgram(const RunKeyLocation& list,
                                          const std::string& name) const {
  DWORD size = 0;
  if (RegGetValueA(list.root, list.path, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  std::vector<char> value(size + 1, '\0');
  if (RegGetValueA(list.root, list.path, name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(),
                   &size) != ERROR_SUCCESS) {
    return false;
  }
  return Lower(value.data()).find(program_) != std::string::npos;
}

bool Win32StartupEntry::Write(const std::string& name, const std::string& command) {
  if (!RunKey(user_).Set(name, command)) return false;
  if (StartsThisProgram(machine_, name)) RunKey(machine_).Delete(name);
  return true;
}

bool Win32StartupEntry::Remove(const std::string& name) {
  // Another program's machine-wide value of that name is not ours to remove.
  if (StartsThisProgram(machine_, name)) RunKey(machine_).Delete(name);
  return RunKey(user_).Delete(name) || Lacks(user_, name);
}

}  // namespace seam
