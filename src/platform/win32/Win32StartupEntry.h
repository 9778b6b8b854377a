// The start-up entry: a value in the Run key of HKEY_LOCAL_MACHINE, or, where the user may
// not write there (a standard user), the same value in the Run key of HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include "platform/Platform.h"

namespace seam {

struct RunKeyLocation {
  HKEY root;
  const char* path;
};

// Stateless; the registry serialises its own access.
class Win32StartupEntry : public IStartupEntry {
 public:
  static constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

  Win32StartupEntry(RunKeyLocation machine = {HKEY_LOCAL_MACHINE, kRunKey},
                    RunKeyLocation user = {HKEY_CURRENT_USER, kRunKey});

  // Stores the command as REG_SZ with its terminating zero in the machine-wide list, and then
  // removes a per-user copy so that the program starts once; when the machine-wide list
  // cannot be written, stores it in the per-user list instead.
  bool Write(const std::string& name, const std::string& command) override;
  // Removes the value from both lists; false when a list that holds it cannot be changed.
  bool Remove(const std::string& name) override;

 private:
  const RunKeyLocation machine_;
  const RunKeyLocation user_;
};

}  // namespace seam
