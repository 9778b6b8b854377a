#include "app/linux/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace app {

InstanceLock::InstanceLock(const std::string& fallbackFolder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const char* display = std::getenv("DISPLAY");
  std::string name = display != nullptr ? display : "";
  for (char& c : name) c = c == '/' ? '_' : c;
  path_ = (runtime != nullptr && runtime[0] == '/' ? std::string(runtime) : fallbackFolder) +
          "/tandrel-" + name + ".lock";
  fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  held_ = fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) == 0;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace app
