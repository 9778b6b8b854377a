#include "app/linux/ConfigFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace app {

namespace fs = std::filesystem;

namespace {

std::string Absolute(const char* value) {
  return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// What a thing that is not a regular file is, for a sentence.
std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO (named pipe)";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

// Why the configuration `file` (shown as `shown`) in `folder` cannot be read as a file; empty
// when it is a regular file, or a link to one. `missing`: nothing is there at all.
std::string WhyNotAFile(const std::string& file, const std::string& shown,
                        const std::string& folder, bool& missing) {
  missing = false;
  struct stat info {};
  if (::lstat(file.c_str(), &info) != 0) {
    missing = errno == ENOENT;
    if (missing) return "there is no " + std::string(kConfigFileName) + " in " + Quoted(folder);
    return "cannot look into the folder " + Quoted(folder) + ": " + std::strerror(errno);
  }
  if (S_ISREG(info.st_mode)) return {};
  if (!S_ISLNK(info.st_mode)) return Quoted(shown) + " is " + KindOf(info.st_mode) + ", not a file";
  std::error_code error;
  const std::string target = fs::read_symlink(file, error).string();
  const std::string link = Quoted(shown) + " is a link to " + Quoted(target);
  if (::stat(file.c_str(), &info) != 0) {
    if (errno == ELOOP) return Quoted(shown) + " is a link in a loop of links: it reaches no file";
    if (errno == ENOENT) return link + ", which does not exist";
    return link + ", which cannot be reached: " + std::strerror(errno);
  }
  return S_ISREG(info.st_mode) ? std::string()
                               : link + ", " + KindOf(info.st_mode) + ", not a file";
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
  bool missing = false;
  if (given) {
    const fs::path folder = fs::absolute(fs::path(*given), error).lexically_normal();
    result.folder = folder.string();
    while (result.folder.size() > 1 && result.folder.back() == '/') result.folder.pop_back();
    if (!fs::is_directory(folder, error)) {
      result.failure = error && error != std::errc::no_such_file_or_directory
                           ? "cannot reach the folder " + Quoted(*given) + ": " + error.message()
                           : Quoted(*given) + " is not a folder";
    } else {
      const fs::path shown = fs::path(*given) / kConfigFileName;
      result.failure =
          WhyNotAFile((folder / kConfigFileName).string(), shown.string(), *given, missing);
    }
    return result;
  }
  const std::string home = XdgConfigHome();
  if (home.empty()) {
    result.failure = "neither XDG_CONFIG_HOME nor HOME names a folder for the configuration";
    return result;
  }
  const fs::path folder = fs::path(home) / "tandrel";
  const std::string file = (folder / kConfigFileName).string();
  result.failure = WhyNotAFile(file, file, folder.string(), missing);
  if (!missing) {
    if (result.failure.empty()) result.folder = folder.string();
    return result;
  }
  return Seed(folder, defaults);
}

}  // namespace app
