#include "app/linux/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace app {

namespace {

std::string SystemReason() { return std::strerror(errno); }

bool IsThisMachine(const std::string& host) {
  if (host.empty() || host == "unix" || host == "localhost" || host == "127.0.0.1" ||
      host == "::1") {
    return true;
  }
  char name[256] = {};
  return ::gethostname(name, sizeof name - 1) == 0 && host == name;
}

// The folder that holds the lock, made when needed; empty with `failure` set when there is none
// that is the user's alone.
std::string LockFolder(std::string& failure) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return runtime;
  const std::string folder = "/tmp/tandrel-" + std::to_string(::geteuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    failure = "cannot make the folder \"" + folder + "\" for the lock: " + SystemReason();
    return {};
  }
  // Another user may have made it first: a lock there would not be ours to trust.
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() ||
      (info.st_mode & 077) != 0) {
    failure = "the folder \"" + folder + "\" for the lock is not this user's alone";
    return {};
  }
  return folder;
}

}  // namespace

std::optional<std::string> XServerKey(const std::string& display) {
  // [PROTOCOL/]HOST:NUMBER[.SCREEN], HOST::NUMBER for DECnet; HOST may itself hold colons.
  const std::size_t colon = display.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  std::string number = display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  std::string host = display.substr(0, colon);
  if (!host.empty() && host.back() == ':') host.pop_back();
  if (const std::size_t slash = host.find('/'); slash != std::string::npos && host[0] != '/')
    host.erase(0, slash + 1);
  if (IsThisMachine(host)) host.clear();
  for (char& c : host) c = c == '/' ? '_' : c;
  return host + ":" + std::to_string(std::strtoul(number.c_str(), nullptr, 10));
}

InstanceLock::InstanceLock(const std::string& display) {
  const std::string folder = LockFolder(failure_);
  if (folder.empty()) return;
  // A name that says no display reaches no server either: the connection then says so.
  std::string key = XServerKey(display).value_or(display);
  for (char& c : key) c = c == '/' ? '_' : c;
  const std::string path = folder + "/tandrel-" + key + ".lock";
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) {
    failure_ = "cannot make the lock \"" + path + "\": " + SystemReason();
    return;
  }
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    // Who holds it, for the next one to name (a courtesy: the lock holds without it).
    const std::string pid = std::to_string(::getpid()) + "\n";
    const bool named = ::ftruncate(fd_, 0) == 0 && ::pwrite(fd_, pid.data(), pid.size(), 0) > 0;
    static_cast<void>(named);
    return;
  }
  if (errno != EWOULDBLOCK) {
    failure_ = "cannot take the lock \"" + path + "\": " + SystemReason();
    return;
  }
  char holder[16] = {};
  const ssize_t n = ::pread(fd_, holder, sizeof holder - 1, 0);
  std::string pid(holder, n > 0 ? static_cast<std::size_t>(n) : 0);
  pid = pid.substr(0, pid.find('\n'));
  failure_ = "another tandrel" + (pid.empty() ? std::string() : " (process " + pid + ")") +
             " already runs on the X server " + key + " (" + path + ")";
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace app
