// tandrel run FOLDER with a virtual pad of its own (an Xbox pad in the Linux driver's order)
// that follows the CONTROL file: its first line "HAT BUTTONS" (the d-pad in hundredths of a
// degree, or -1 for centred; the buttons of the pad layout down as a bit mask), or "out" for the
// pad pulled out, read every 10 ms. With --window first, the program is `tandrel` with
// its window (scripts/screenshots).
#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/linux/RunSettings.h"
#include "app/linux/StopSignals.h"
#include "app/linux/TandrelRun.h"
#include "platform/Types.h"
#include "qt/TrayProgram.h"
#include "support/VirtualPad.h"

namespace {

// The pad with the hat at an angle (a multiple of 45 degrees, or -1 for centred) and buttons
// down (bit k-1 for button k of the pad layout).
seam::PadReading Held(long hat, unsigned long buttons) {
  const bool any = hat >= 0;
  const long h = hat % 36000;
  return {.buttons = static_cast<std::uint32_t>(buttons),
          .up = any && (h <= 4500 || h >= 31500),
          .right = any && h >= 4500 && h <= 13500,
          .down = any && h >= 13500 && h <= 22500,
          .left = any && h >= 22500 && h <= 31500};
}

void FollowControlFile(VirtualPad& pad, const std::string& path, const std::atomic<bool>& done) {
  // A button counts only once a poll has seen it up.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  std::string shown;
  while (!done) {
    std::string line;
    std::getline(std::ifstream(path), line);
    long hat = -1;
    unsigned long buttons = 0;
    if (line != shown && (line == "out" || std::istringstream(line) >> hat >> buttons)) {
      // A change waits five polls (of Gamepad.xml), as a profile may have just started.
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      if (line == "out") {
        pad.Unplug();
      } else {
        pad.Plug();
        pad.Set(Held(hat, buttons));
      }
      shown = line;
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
  if (argc != 3) return app::kExitBadUsage;
  VirtualPad pad("Wireless Gamepad", kXpadOrder);
  app::RunSettings settings;
  settings.folder = argv[1];
  settings.window = window;
  settings.verbose = true;
  std::atomic<bool> done{false};
  std::thread follower;
  settings.started = [&] {
    follower = std::thread([&pad, &done, argv] { FollowControlFile(pad, argv[2], done); });
  };
  const int code = window ? qtui::RunWithWindow(settings, argc, argv) : app::RunTandrel(settings);
  done = true;
  if (follower.joinable()) follower.join();
  return code;
}
