// A virtual X server of the test's own (Xvfb), started with a free display number and ended
// with the object. Display() is its name (":N").
#pragma once

#include <sys/types.h>

#include <string>

class XvfbServer {
 public:
  XvfbServer();
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  const std::string& Display() const { return display_; }
  // Ends the server now (the X server going away under a running program).
  void Kill();

 private:
  pid_t pid_ = -1;
  std::string display_;
};
