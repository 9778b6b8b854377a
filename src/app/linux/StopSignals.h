// The signals that end or reload the program, taken as data from a descriptor (signalfd)
// instead of by handlers, so the main loop handles them in its own time.
#pragma once

#include <string>

namespace app {

// Blocks SIGINT, SIGTERM and SIGHUP in the calling thread and every thread it starts later.
// main() calls it first, before anything (SDL, the timer service) starts a thread.
void BlockStopSignals();

enum class SignalAction { None, Stop, Reload };

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // -1 when signalfd failed; Failure() says why.
  int FileDescriptor() const { return fd_; }
  std::string Failure() const;
  // Reads the pending signals: Stop for SIGINT and SIGTERM, Reload for SIGHUP.
  SignalAction Take();

 private:
  int fd_ = -1;
  int error_ = 0;  // errno of a failed signalfd
};

}  // namespace app
