// A program (a path, or a name looked up in PATH) run as a process of its own, with extra
// environment variables, its stdout and stderr in files, that gets SIGTERM when the thread that
// started it ends; and a bounded wait for a condition the test expects.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Calls `condition` every 10 ms until it holds or `limit` has passed; whether it held.
bool Eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::seconds(20));

std::string ReadFile(const std::string& path);

class ChildProcess {
 public:
  // `env`: "NAME=VALUE" entries added to (or replacing those of) the test's own environment;
  // "NAME=" alone removes NAME.
  ChildProcess(const std::vector<std::string>& args, const std::vector<std::string>& env,
               std::string outPath, std::string errPath);
  ~ChildProcess();  // kills a process still running
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void Signal(int signal);
  pid_t Pid() const { return pid_; }
  // The exit code; -1 after a kill by a signal or when it did not end within the limit.
  int Wait(std::chrono::milliseconds limit = std::chrono::seconds(20));
  std::string Out() const { return ReadFile(outPath_); }
  std::string Err() const { return ReadFile(errPath_); }

 private:
  pid_t pid_ = -1;
  std::string outPath_, errPath_;
};
