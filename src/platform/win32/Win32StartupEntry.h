// The start-up entry: a value under HKEY_LOCAL_MACHINE's Run key.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Stateless; the registry serialises its own access.
class Win32StartupEntry : public IStartupEntry {
 public:
  // Stores the command as REG_SZ with its terminating zero.
  bool Write(const std::string& name, const std::string& command) override;
  bool Remove(const std::string& name) override;
};

}  // namespace seam
