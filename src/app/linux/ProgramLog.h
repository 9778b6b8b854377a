// What `tandrel run --verbose` prints, one line at a time from any thread: profiles that start
// ("profile ID PATH", as tandrel-cli replay prints them), controllers that come and go (a pad
// with the names of its inputs), the active window's title, and keys the X table cannot send.
// Without --verbose it prints nothing.
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

#include "config/ConfigurationObserver.h"
#include "platform/Types.h"

namespace app {

class ProgramLog : public IConfigurationObserver {
 public:
  ProgramLog(std::FILE* out, bool verbose) : out_(out), verbose_(verbose) {}

  void ProfileStarted(int id, const std::string& path) override;
  // A pad that arrives is followed by a line naming its inputs ("controller 0 inputs: Button 1
  // (A), ..."), which the profiles use by number.
  void Controller(int id, const std::string& name, bool arrived, seam::ControllerLayout layout);
  void Window(const std::string& title);
  void UnsendableKey(std::uint8_t vk);
  // Printed with or without --verbose.
  void Note(const std::string& text);

 private:
  void Line(const std::string& text, bool always = false);

  std::mutex mutex_;  // one line at a time
  std::FILE* const out_;
  const bool verbose_;
};

}  // namespace app
