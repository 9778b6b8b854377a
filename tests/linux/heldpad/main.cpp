// tandrel run FOLDER with a virtual controller of its own that, once the program runs, holds
// the hat to the right and button 1 (in the default profile the Right arrow key and the left
// mouse button). A test signals the process and looks at what the X server still holds.
#include <chrono>
#include <thread>

#include "app/linux/RunSettings.h"
#include "app/linux/StopSignals.h"
#include "app/linux/TandrelRun.h"
#include "support/VirtualPad.h"

int main(int argc, char** argv) {
  app::BlockStopSignals();
  if (argc != 2) return app::kExitBadUsage;
  VirtualPad pad("Wireless Gamepad", 5, 10, true);
  app::RunSettings settings;
  settings.folder = argv[1];
  settings.verbose = true;
  std::thread presser;
  settings.started = [&] {
    presser = std::thread([&pad] {
      // A button counts only once a poll has seen it up.
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      pad.Pov(9000);
      pad.Button(1, true);
    });
  };
  const int code = app::RunTandrel(settings);
  if (presser.joinable()) presser.join();
  return code;
}
