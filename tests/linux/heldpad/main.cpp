// tandrel run FOLDER with a virtual controller of its own. Once the program runs, the pad holds
// the hat to the right and button 1 (in the default profile the Right arrow key and the left
// mouse button); a test signals the process and looks at what the X server still holds. With a
// CONTROL file, the pad follows that file instead: its first line "HAT BUTTONS" (the hat in
// hundredths of a degree, or -1 for centred; the buttons down as a bit mask), read every 10 ms.
// With --window first, the program is `tandrel` with its window (scripts/screenshots).
#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "app/linux/RunSettings.h"
#include "app/linux/StopSignals.h"
#include "app/linux/TandrelRun.h"
#include "platform/Types.h"
#include "qt/TrayProgram.h"
#include "support/VirtualPad.h"

namespace {

void FollowControlFile(VirtualPad& pad, const std::string& path, const std::atomic<bool>& done) {
  long shownHat = -1;
  unsigned long shownButtons = 0;
  while (!done) {
    long hat = -1;
    unsigned long buttons = 0;
    if (std::ifstream(path) >> hat >> buttons) {
      if (hat != shownHat) pad.Pov(hat < 0 ? seam::kPovCentered : static_cast<std::uint32_t>(hat));
      for (int k = 1; k <= 10; ++k) {
        const bool down = (buttons >> (k - 1) & 1) != 0;
        if (down != ((shownButtons >> (k - 1) & 1) != 0)) pad.Button(k, down);
      }
      shownHat = hat;
      shownButtons = buttons;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

int main(int argc, char** argv) {
  app::BlockStopSignals();
  const bool window = argc > 1 && std::string(argv[1]) == "--window";
  if (window) {
    --argc;
    ++argv;
  }
  if (argc != 2 && argc != 3) return app::kExitBadUsage;
  VirtualPad pad("Wireless Gamepad", 5, 10, true);
  app::RunSettings settings;
  settings.folder = argv[1];
  settings.window = window;
  settings.verbose = true;
  std::atomic<bool> done{false};
  std::thread presser;
  settings.started = [&] {
    presser = std::thread([&pad, &done, argc, argv] {
      // A button counts only once a poll has seen it up.
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      if (argc == 3) return FollowControlFile(pad, argv[2], done);
      pad.Pov(9000);
      pad.Button(1, true);
    });
  };
  const int code = window ? qtui::RunWithWindow(settings, argc, argv) : app::RunTandrel(settings);
  done = true;
  if (presser.joinable()) presser.join();
  return code;
}
