#include "app/linux/StopSignals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace app {

namespace {

sigset_t StopSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

void BlockStopSignals() {
  const sigset_t set = StopSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

StopSignals::StopSignals() {
  const sigset_t set = StopSet();
  fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (fd_ < 0) error_ = errno;
}

std::string StopSignals::Failure() const {
  return "cannot watch for signals: " + std::string(std::strerror(error_));
}

StopSignals::~StopSignals() {
  if (fd_ >= 0) close(fd_);
}

SignalAction StopSignals::Take() {
  SignalAction action = SignalAction::None;
  signalfd_siginfo info{};
  while (fd_ >= 0 && read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    if (info.ssi_signo == SIGHUP && action == SignalAction::None) action = SignalAction::Reload;
    if (info.ssi_signo != SIGHUP) action = SignalAction::Stop;
  }
  return action;
}

}  // namespace app
