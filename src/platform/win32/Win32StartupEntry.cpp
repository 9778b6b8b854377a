#include "platform/win32/Win32StartupEntry.h"

#include <windows.h>

namespace seam {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run key opened for reading and setting values, closed with the object.
class RunKey {
 public:
  RunKey() {
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_READ | KEY_SET_VALUE, &key_) !=
        ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~RunKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RunKey(const RunKey&) = delete;
  RunKey& operator=(const RunKey&) = delete;

  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool Win32StartupEntry::Write(const std::string& name, const std::string& command) {
  RunKey key;
  if (key.get() == nullptr) return false;
  return RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(command.c_str()),
                        static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
}

bool Win32StartupEntry::Remove(const std::string& name) {
  RunKey key;
  if (key.get() == nullptr) return false;
  const LONG result = RegDeleteValueA(key.get(), name.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace seam
