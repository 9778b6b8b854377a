// What reading one controller costs in tandrel on Linux (SdlJoysticks::GetState, as every poll
// calls it), on SDL's virtual devices: a joystick read raw, the path of every controller before,
// and a pad read through SDL's game-controller mapping into the pad layout. Prints nanoseconds
// per read; it asserts nothing. Usage: linux_pad_read [READS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/linux/SdlJoysticks.h"
#include "support/VirtualPad.h"

int main(int argc, char** argv) {
  const int reads = argc > 1 ? std::atoi(argv[1]) : 200000;
  VirtualPad joystick("Joystick", 6, 12, true);  // ID 0
  VirtualPad pad("Pad", kXpadOrder);             // ID 1
  std::string reason;
  auto joysticks = seam::SdlJoysticks::Open(reason);
  if (!joysticks || !joysticks->IsPresent(1)) {
    std::fprintf(stderr, "linux_pad_read: %s\n", joysticks ? "no virtual pad" : reason.c_str());
    return 1;
  }
  for (const auto& [id, what] : {std::pair{0, "joystick, read raw"},
                                 std::pair{1, "pad, through the game-controller mapping"}}) {
    seam::JoystickState state;
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < reads; ++n) joysticks->GetState(id, state);
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    std::printf("%-45s %8.0f ns per read\n", what, took.count() / reads);
  }
  return 0;
}
