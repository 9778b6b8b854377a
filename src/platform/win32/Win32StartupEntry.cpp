#include "platform/win32/Win32StartupEntry.h"

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

}  // namespace

Win32StartupEntry::Win32StartupEntry(RunKeyLocation machine, RunKeyLocation user)
    : machine_(machine), user_(user) {}

bool Win32StartupEntry::Write(const std::string& name, const std::string& command) {
  if (RunKey(machine_).Set(name, command)) {
    RunKey(user_).Delete(name);
    return true;
  }
  return RunKey(user_).Set(name, command);
}

bool Win32StartupEntry::Remove(const std::string& name) {
  const bool machineClear = RunKey(machine_).Delete(name) || Lacks(machine_, name);
  const bool userClear = RunKey(user_).Delete(name) || Lacks(user_, name);
  return machineClear && userClear;
}

}  // namespace seam
