#include "XvfbServer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

XvfbServer::XvfbServer() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "cannot make a pipe for Xvfb";
    return;
  }
  fcntl(fds[1], F_SETFD, 0);  // for Xvfb alone
  process_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                               "1280x1024x24", "-nolisten", "tcp", "-noreset"},
      std::vector<std::string>{}, "/dev/null", "/dev/null");
  close(fds[1]);
  // Xvfb writes its display number once it accepts connections.
  std::string number;
  pollfd ready{fds[0], POLLIN, 0};
  char c = 0;
  while (poll(&ready, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (number.empty()) ADD_FAILURE() << "Xvfb gave no display number";
  display_ = ":" + number;
}

void XvfbServer::Kill() {
  if (!process_) return;
  process_->Signal(SIGTERM);
  process_->Wait();
  process_.reset();
}
