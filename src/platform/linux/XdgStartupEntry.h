// The start-up entry of a Linux desktop: the user's XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/tandrel.desktop). Writing it starts `tandrel run FOLDER` with
// the desktop; it overrides the package's entry of the same name, which is off (Hidden).
#pragma once

#include <string>

#include "platform/Platform.h"

namespace seam {

class XdgStartupEntry : public IStartupEntry {
 public:
  // `autostartFolder`: where the entry lives; `execLine`: the command it starts.
  XdgStartupEntry(std::string autostartFolder, std::string execLine)
      : folder_(std::move(autostartFolder)), exec_(std::move(execLine)) {}

  // The entry's name is fixed ("tandrel.desktop"); the Windows command line is not used.
  bool Write(const std::string& name, const std::string& command) override;
  bool Remove(const std::string& name) override;

  std::string Path() const { return folder_ + "/tandrel.desktop"; }

 private:
  const std::string folder_;
  const std::string exec_;
};

}  // namespace seam
