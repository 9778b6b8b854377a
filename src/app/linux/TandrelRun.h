// `tandrel run`: the Linux program. It chooses the configuration folder (seeding a new one),
// takes the X server's instance lock, installs the Linux adapters and the real timer service,
// builds the one configuration (which reads the files, opens the controllers and starts
// polling), switches profiles for the active window, and then waits on the X server's events,
// the stop signals and the test's stop descriptor; the controllers are polled on the timer
// thread meanwhile. It ends on SIGINT or SIGTERM (exit 0), or when the X server goes away or
// the wait itself fails (exit 1); SIGHUP reloads the files. At the end the configuration goes
// first, releasing whatever the controllers hold, then the input adapter releases anything
// still down. Every failure is one line "tandrel: REASON" on stderr and a non-zero exit.
// `tandrel` without a command is the same program with another main loop (src/qt).
#pragma once

#include <functional>
#include <string>

#include "app/linux/RunSettings.h"

class CTandrelConfiguration;

namespace seam {
class ActiveWindowWatcher;
class IMessages;
}  // namespace seam

namespace app {

class StopSignals;

inline constexpr const char* kDisplayLost = "lost the connection to the X server";

// What the main loop serves while the program runs, on the main thread.
struct RunningProgram {
  CTandrelConfiguration& configuration;
  seam::ActiveWindowWatcher& watcher;  // readable: call dispatchX
  StopSignals& stopSignals;            // readable: Take(), then stop or reload
  // Handles the X server's events that have arrived (window titles, keyboard-map changes);
  // false once the connection is lost.
  std::function<bool()> dispatchX;
};

// Waits for the X server's events and the stop signals, and whatever else it serves, until a
// stop: `tandrel run` polls the descriptors, the window's program runs Qt's event loop.
class MainLoop {
 public:
  virtual ~MainLoop() = default;
  // The program's X display is open and its adapters are in force; the configuration, whose
  // load may show messages, comes next.
  virtual void DisplayOpened() {}
  // Empty after SIGINT, SIGTERM or another stop the loop knows (the test's descriptor, the
  // icon's "Exit"); otherwise why it ended (kDisplayLost, say).
  virtual std::string Run(RunningProgram& program) = 0;
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
