// Runs a replay script: the real configuration, engine and actions in virtual time, on
// simulated controllers, desktop and message boxes, printing every event (ReplayOutput.h).
//
// The configuration is read from the script's config file (a relative path is taken from the
// script's folder); its folder is the program folder. It changes no file and leaves the
// start-up entry alone. It loads at time 0, after the controllers were plugged in. An "at T"
// statement takes effect at T, before the ticks due at T; "end T" delivers every tick up to and
// including T and then shuts down as the program does, deleting the configuration.
//
// The runner installs its own platform and timer service for the length of Run, and restores
// the previous ones afterwards; it must not run while another thread uses the platform.
#pragma once

#include <cstdint>
#include <string>

#include "replay/ReplayOutput.h"
#include "replay/ReplayScript.h"

namespace replay {

struct RunSummary {
  std::uint64_t lines = 0;  // lines printed
  std::uint64_t end = 0;    // virtual time reached, in milliseconds
};

class CReplayRunner {
 public:
  // `scriptFolder` is the folder of the script, with or without a trailing separator.
  static RunSummary Run(const Script& script, const std::string& scriptFolder, IOutput& output);

  // The configuration file a script names: as written when absolute, else from its folder.
  static std::string ConfigFile(const std::string& configPath, const std::string& scriptFolder);
};

}  // namespace replay
