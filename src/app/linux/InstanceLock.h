// One `tandrel run` per X server: a second one would double every key. The lock is an flock on
// "tandrel-SERVER.lock" in $XDG_RUNTIME_DIR (else in /tmp/tandrel-UID, a folder of the user's
// alone), released by the system when the process ends however it ends, so a lock file left
// by a process that died never blocks. SERVER is the X server the display name reaches, host
// and display number: ":0", ":0.0", "unix:0" and "localhost:0" are one server, and one lock.
#pragma once

#include <optional>
#include <string>

namespace app {

// The X server a display name reaches, as a file name's part: ":N" on this machine, "HOST:N"
// on another (screens do not count). None when the name does not say a display number.
std::optional<std::string> XServerKey(const std::string& display);

class InstanceLock {
 public:
  // Takes the lock of the X server that `display` (DISPLAY's value) names.
  explicit InstanceLock(const std::string& display);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  bool Held() const { return failure_.empty(); }
  // Why it is not held, in one line: another program holds it, or it could not be made.
  const std::string& Failure() const { return failure_; }

 private:
  int fd_ = -1;
  std::string failure_;
};

}  // namespace app
