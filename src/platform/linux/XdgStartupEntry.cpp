#include "platform/linux/XdgStartupEntry.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace seam {

bool XdgStartupEntry::Write(const std::string& /*name*/, const std::string& /*command*/) {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  const std::string text =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Tandrel\n"
      "Comment=Game controllers drive the keyboard and the mouse\n"
      "Exec=" +
      exec_ +
      "\n"
      "Terminal=false\n"
      "NoDisplay=true\n"
      "Hidden=false\n"
      "X-GNOME-Autostart-enabled=true\n";
  // Written through the files seam: the entry is replaced whole or not at all.
  const std::string temporary = Path() + ".new";
  Files().Remove(temporary);
  return Files().CreateDurably(temporary, text) && Files().Replace(temporary, Path());
}

bool XdgStartupEntry::Remove(const std::string& /*name*/) {
  return std::remove(Path().c_str()) == 0 || errno == ENOENT;
}

}  // namespace seam
