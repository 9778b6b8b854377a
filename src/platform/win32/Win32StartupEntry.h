// The start-up entry: a value in the Run key of HKEY_CURRENT_USER, since Tandrel is installed
// and configured per user. The machine-wide Run key of HKEY_LOCAL_MACHINE, where older versions
// wrote it, is only cleaned: a value there that starts this program would start it for every
// user of the machine.
#pragma once

#include <windows.h>

#include <string>

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

  // `program`: the path whose values are this program's (empty: the program's own module).
  Win32StartupEntry(RunKeyLocation user = {HKEY_CURRENT_USER, kRunKey},
                    RunKeyLocation machine = {HKEY_LOCAL_MACHINE, kRunKey},
                    std::string program = {});

  // Stores the command as REG_SZ with its terminating zero in the per-user list, and removes
  // a machine-wide value of that name that starts this program, so that it starts once.
  bool Write(const std::string& name, const std::string& command) override;
  // Removes the per-user value, and a machine-wide one that starts this program (where the user
  // may change that list); false when the per-user list cannot be changed.
  bool Remove(const std::string& name) override;

 private:
  // Whether the value of that name in the list starts this program.
  bool StartsThisProgram(const RunKeyLocation& list, const std::string& name) const;

  const RunKeyLocation user_;
  const RunKeyLocation machine_;
  const std::string program_;  // lower case
};

}  // namespace seam
