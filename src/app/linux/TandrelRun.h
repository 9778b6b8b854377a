// `tandrel run`: the Linux program. It chooses the configuration folder (seeding a new one),
// takes the display's instance lock, installs the Linux adapters and the real timer service,
// builds the one configuration (which reads the files, opens the controllers and starts
// polling), switches profiles for the active window, and then waits on the X server's events,
// the stop signals and the test's stop descriptor; the controllers are polled on the timer
// thread meanwhile. It ends on SIGINT or SIGTERM (exit 0), or when the X server goes away (exit
// 1); SIGHUP reloads the files. At the end the configuration goes first, releasing whatever the
// controllers hold, then the input adapter releases anything still down. Every failure is one
// line "tandrel: REASON" on stderr and a non-zero exit.
#pragma once

#include "app/linux/RunSettings.h"

class CTandrelConfiguration;

namespace seam {
class ActiveWindowWatcher;
class IMessages;
}  // namespace seam

namespace app {

class StopSignals;

enum class Ending { Stopped, DisplayLost };

// What the program does while it runs, on the main thread: wait for the X server's events
// (the watcher's Dispatch), the stop signals (a reload on SIGHUP) and whatever else it serves,
// until it is asked to stop or the X server goes away. `tandrel run` polls the descriptors; the
// window's program runs Qt's event loop (src/qt).
class MainLoop {
 public:
  virtual ~MainLoop() = default;
  virtual Ending Run(CTandrelConfiguration& configuration, seam::ActiveWindowWatcher& watcher,
                     StopSignals& stopSignals) = 0;
};

// `loop`: null for the foreground loop of `tandrel run`. `messages`: what shows the
// configuration's messages in place of lines on `settings.err`; not owned, may be null.
int RunTandrel(const RunSettings& settings, MainLoop* loop = nullptr,
               seam::IMessages* messages = nullptr);

// The command of an XDG desktop entry's Exec line that starts the program with the
// configuration of `folder`: `program run folder`, or the window's `program --background
// --folder folder`.
std::string AutostartCommand(const std::string& program, const std::string& folder,
                             bool window = false);

}  // namespace app
