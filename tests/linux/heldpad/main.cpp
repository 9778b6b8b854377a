// tandrel run FOLDER with a virtual controller of its own, which a test moves with signals:
// SIGUSR1 presses button 6, or lets it go when it is down; SIGUSR2 holds the hat to the right
// and button 1. A test signals the process and looks at what the X server holds.
#include <pthread.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "app/linux/RunSettings.h"
#include "app/linux/StopSignals.h"
#include "app/linux/TandrelRun.h"
#include "support/VirtualPad.h"

int main(int argc, char** argv) {
  app::BlockStopSignals();
  sigset_t moves;
  sigemptyset(&moves);
  sigaddset(&moves, SIGUSR1);
  sigaddset(&moves, SIGUSR2);
  pthread_sigmask(SIG_BLOCK, &moves, nullptr);  // before any thread: they wait for the mover
  if (argc != 2) return app::kExitBadUsage;
  VirtualPad pad("Wireless Gamepad", 5, 10, true);
  app::RunSettings settings;
  settings.folder = argv[1];
  settings.verbose = true;
  settings.started = [&pad, moves] {
    std::thread([&pad, moves] {
      bool down = false;
      for (int signal = 0; sigwait(&moves, &signal) == 0;) {
        // A button counts only once a poll of the profile in force has seen it up: a move
        // waits five polls (of Gamepad.xml), as a profile may have just started.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (signal == SIGUSR1) {
          pad.Button(6, down = !down);
        } else {
          pad.Pov(9000);
          pad.Button(1, true);
        }
      }
    }).detach();  // waiting still when the program ends
  };
  return app::RunTandrel(settings);
}
