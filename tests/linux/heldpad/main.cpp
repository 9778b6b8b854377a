// tandrel run FOLDER with a virtual controller of its own, which the test moves through this
// process' stdin, a line a change: "button N down", "button N up", "pov HUNDREDTHS" or
// "pov center". A test signals the process and looks at what the X server holds.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include "app/linux/RunSettings.h"
#include "app/linux/StopSignals.h"
#include "app/linux/TandrelRun.h"
#include "platform/Types.h"
#include "support/VirtualPad.h"

int main(int argc, char** argv) {
  app::BlockStopSignals();
  if (argc != 2) return app::kExitBadUsage;
  VirtualPad pad("Wireless Gamepad", 5, 10, true);
  app::RunSettings settings;
  settings.folder = argv[1];
  settings.verbose = true;
  settings.started = [&pad] {
    // Blocked in a read until stdin ends, so it is left behind when the program ends.
    std::thread([&pad] {
      for (std::string what, state; std::cin >> what >> state;) {
        // A button counts only once a poll of the profile in force has seen it up: a change
        // waits five polls (of Gamepad.xml) after it was asked for, as a profile may have just
        // started.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (what == "button") {
          int number = std::atoi(state.c_str());
          std::cin >> state;
          pad.Button(number, state == "down");
        } else if (what == "pov") {
          pad.Pov(state == "center" ? seam::kPovCentered : std::stoul(state));
        }
      }
    }).detach();
  };
  const int code = app::RunTandrel(settings);
  // The reader may still use the pad: end without destroying it.
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(code);
}
