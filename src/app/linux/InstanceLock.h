// One `tandrel run` per X display: a second one would double every key. The lock is an flock
// on "tandrel-DISPLAY.lock" in $XDG_RUNTIME_DIR (else in the configuration folder), released
// by the system when the process ends however it ends.
#pragma once

#include <string>

namespace app {

class InstanceLock {
 public:
  // `fallbackFolder`: where the lock file goes without XDG_RUNTIME_DIR.
  explicit InstanceLock(const std::string& fallbackFolder);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  bool Held() const { return held_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
  bool held_ = false;
};

}  // namespace app
