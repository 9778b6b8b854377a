// `tandrel run`: the Linux program. It chooses the configuration folder (seeding a new one),
// takes the X server's instance lock, installs the Linux adapters and the real timer service,
// builds the one configuration (which reads the files, opens the controllers and starts
// polling), switches profiles for the active window, and then waits on the X server's events,
// the stop signals and the test's stop descriptor; the controllers are polled on the timer
// thread meanwhile. It ends on SIGINT or SIGTERM (exit 0), or when the X server goes away or
// the wait itself fails (exit 1); SIGHUP reloads the files. At the end the configuration goes
// first, releasing whatever the controllers hold, then the input adapter releases anything
// still down. Every failure is one line "tandrel: REASON" on stderr and a non-zero exit.
#pragma once

#include "app/linux/RunSettings.h"

namespace app {

int RunTandrel(const RunSettings& settings);

// The command of an XDG desktop entry's Exec line that runs `program run folder`.
std::string AutostartCommand(const std::string& program, const std::string& folder);

}  // namespace app
