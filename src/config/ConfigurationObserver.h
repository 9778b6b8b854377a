// What the configuration reports about its controllers while it runs: tandrel-cli's replay
// prints it, tests count it. The configuration calls the observer under its own lock, on the
// thread that loads (the caller of Load and SwitchProfileForWindow, or the timer thread in the
// hot-plug check); an observer must not call back into the configuration from another thread.
#pragma once

#include <string>

class IConfigurationObserver {
 public:
  virtual ~IConfigurationObserver() = default;
  // A profile file was read successfully into the controller with this ID, which now polls.
  // `path` is the file name as the configuration requested it (as the file stores it).
  virtual void ProfileStarted(int id, const std::string& path) = 0;
};
