#include "app/linux/ConfigFolder.h"

#include <cstdlib>
#include <filesystem>

namespace app {

namespace fs = std::filesystem;

namespace {

std::string Absolute(const char* value) {
  return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

FolderResult Seed(const fs::path& folder, const std::string& defaults) {
  FolderResult result;
  result.folder = folder.string();
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    result.failure = "cannot make the folder \"" + result.folder + "\": " + error.message();
    return result;
  }
  for (const char* name : kDefaultFiles) {
    const fs::path target = folder / name;
    if (fs::exists(target, error)) continue;
    fs::copy_file(fs::path(defaults) / name, target, error);
    if (error) {
      result.failure = "cannot copy the default file \"" + (fs::path(defaults) / name).string() +
                       "\" to \"" + result.folder + "\": " + error.message();
      return result;
    }
  }
  result.seeded = true;
  return result;
}

}  // namespace

std::string XdgConfigHome() {
  std::string home = Absolute(std::getenv("XDG_CONFIG_HOME"));
  if (!home.empty()) return home;
  home = Absolute(std::getenv("HOME"));
  return home.empty() ? home : home + "/.config";
}

FolderResult ChooseConfigFolder(const std::optional<std::string>& given,
                                const std::string& defaults) {
  FolderResult result;
  std::error_code error;
  if (given) {
    const fs::path folder = fs::absolute(fs::path(*given), error).lexically_normal();
    result.folder = folder.string();
    while (result.folder.size() > 1 && result.folder.back() == '/') result.folder.pop_back();
    if (!fs::is_directory(folder, error)) {
      result.failure = "\"" + *given + "\" is not a folder";
    } else if (!fs::is_regular_file(folder / kConfigFileName, error)) {
      result.failure = "there is no " + std::string(kConfigFileName) + " in \"" + *given + "\"";
    }
    return result;
  }
  const std::string home = XdgConfigHome();
  if (home.empty()) {
    result.failure = "neither XDG_CONFIG_HOME nor HOME names a folder for the configuration";
    return result;
  }
  const fs::path folder = fs::path(home) / "tandrel";
  if (fs::is_regular_file(folder / kConfigFileName, error)) {
    result.folder = folder.string();
    return result;
  }
  return Seed(folder, defaults);
}

}  // namespace app
