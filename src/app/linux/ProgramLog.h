// What `tandrel run` prints beside its messages, one line at a time from any thread. With
// --verbose: profiles that start ("profile ID PATH", as tandrel-cli replay prints them),
// controllers that come and go, the active window's title, and keys the X table cannot send.
// Always: notes (the first run's seeding) and warnings on the error stream: no controller
// present at start or once the last one goes (most often the user may not read the devices).
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

#include "config/ConfigurationObserver.h"

namespace app {

class ProgramLog : public IConfigurationObserver {
 public:
  ProgramLog(std::FILE* out, std::FILE* err, bool verbose)
      : out_(out), err_(err), verbose_(verbose) {}

  void ProfileStarted(int id, const std::string& path) override;
  // Counts the controllers present; the last one going warns.
  void Controller(int id, const std::string& name, bool arrived);
  void Window(const std::string& title);
  void UnsendableKey(std::uint8_t vk);
  // Printed with or without --verbose.
  void Note(const std::string& text);
  // "tandrel: TEXT" on the error stream.
  void Warn(const std::string& text);
  // Warns when no controller has come (at start, once the devices have been read).
  void WarnWithoutControllers();

 private:
  void Line(std::FILE* to, const std::string& text, bool always = false);

  std::mutex mutex_;  // one line at a time; guards present_
  std::FILE* const out_;
  std::FILE* const err_;
  const bool verbose_;
  int present_ = 0;  // controllers present
};

}  // namespace app
