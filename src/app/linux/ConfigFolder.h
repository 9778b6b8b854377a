// The folder whose Tandrel.exe.config `tandrel run` uses: the one named on the command line, or
// $XDG_CONFIG_HOME/tandrel ($HOME/.config/tandrel when XDG_CONFIG_HOME is unset, empty or not
// absolute), which the default files seed when it has no configuration yet.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace app {

inline constexpr const char* kConfigFileName = "Tandrel.exe.config";
// The files a fresh folder gets, the configuration last: a seeding cut short is completed at
// the next start, since a folder counts as seeded only once its configuration is there.
inline constexpr const char* kDefaultFiles[] = {"Actions.xml", "Gamepad.xml", "SlideShow.xml",
                                                kConfigFileName};

struct FolderResult {
  std::string folder;  // absolute, without a trailing '/'; empty on failure
  std::string failure;
  bool seeded = false;  // the default files were copied there now
};

// `given`: the command line's FOLDER, if any. `defaults`: where the default files are.
FolderResult ChooseConfigFolder(const std::optional<std::string>& given,
                                const std::string& defaults);

// $XDG_CONFIG_HOME as the XDG base directory rules take it; empty when neither it nor HOME
// gives an absolute folder.
std::string XdgConfigHome();

}  // namespace app
